#pragma once

#include <QString>

#include <string>
#include <string_view>

// The side pages find entries by a substring test on lower-cased texts, where canonically equal
// Unicode (a precomposed and a decomposed accented letter) counts as equal. A query is prepared
// once per keystroke; the texts of the entries are tested against it without copying them when
// both are plain ASCII, which is what view names and class names almost always are: a search
// over a large view tree then costs no allocation per node.
class PageSearchText {
public:
    class Query {
    public:
        Query() = default;
        explicit Query(const std::string& text);

        bool isEmpty() const { return m_folded.isEmpty(); }
        // True when the lower-cased `text` contains this query.
        bool isFoundIn(std::string_view text) const;

    private:
        QString m_folded;          // lower-cased, NFC
        std::string m_asciiFolded; // the same, when the query is plain ASCII
        bool m_isAscii = false;
    };

    // Lower-cased and NFC-normalised, the form both sides are compared in.
    static QString folded(std::string_view text);
};
