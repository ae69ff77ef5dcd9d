#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Finds a fixed text (the needle) in others, in time linear in the other text's length, whatever
// both contain (Knuth-Morris-Pratt). A naive search, and the platform's own, cost the product of
// the two lengths in the worst case: minutes for a long query against a long name.
// Byte for byte: on well-formed UTF-8 a match always starts and ends on whole characters.
class SubstringSearch {
public:
    SubstringSearch() = default;
    explicit SubstringSearch(std::string needle);

    const std::string& needle() const { return m_needle; }
    // True when `text` contains the needle; the empty needle is in every text.
    bool isFoundIn(std::string_view text) const;

private:
    std::string m_needle;
    // For each prefix of the needle, the length of its longest proper prefix that is also its
    // suffix: where a partial match goes on after a mismatch, so no byte of a text is read twice.
    std::vector<std::size_t> m_fallback;
};
