#pragma once

#include "Editor/Pages/SubstringSearch.h"

#include <string>
#include <string_view>

// The side pages find entries by a substring test on lower-cased texts, where canonically equal
// Unicode (a precomposed and a decomposed accented letter) counts as equal. Both sides are
// brought into one form (lower-cased, then NFC, as UTF-8) and compared byte for byte: UTF-8 is
// self-synchronising, so a byte match of two well-formed texts always starts and ends on whole
// characters.
//
// An entry's texts are folded once per update of a page (Folded) and a query once per keystroke
// (Query); the test itself runs in time linear in the text's length (SubstringSearch).
class PageSearchText {
public:
    // A text in the compared form.
    class Folded {
    public:
        Folded() = default;
        explicit Folded(std::string_view text);

        const std::string& utf8() const { return m_utf8; }

    private:
        std::string m_utf8;
    };

    class Query {
    public:
        Query() = default;
        explicit Query(std::string_view text);

        bool isEmpty() const { return m_search.needle().empty(); }
        // True when the folded `text` contains this query; an empty query is in every text.
        bool isFoundIn(const Folded& text) const;
        // The same for a text folded on the spot.
        bool isFoundIn(std::string_view text) const { return isFoundIn(Folded(text)); }

    private:
        SubstringSearch m_search; // of the folded query
    };

    // Lower-cased and NFC-normalised UTF-8, the form both sides are compared in.
    static std::string folded(std::string_view text);
};
