#include "Editor/Pages/SubstringSearch.h"

#include <utility>

SubstringSearch::SubstringSearch(std::string needle)
    : m_needle(std::move(needle))
    , m_fallback(m_needle.size(), 0)
{
    std::size_t border = 0;
    for (std::size_t i = 1; i < m_needle.size(); ++i) {
        while (border > 0 && m_needle[i] != m_needle[border]) border = m_fallback[border - 1];
        if (m_needle[i] == m_needle[border]) ++border;
        m_fallback[i] = border;
    }
}

bool SubstringSearch::isFoundIn(std::string_view text) const
{
    if (m_needle.empty()) return true;
    if (m_needle.size() > text.size()) return false;
    // `matched` bytes of the needle end at the current byte of the text
    std::size_t matched = 0;
    for (const char c : text) {
        while (matched > 0 && c != m_needle[matched]) matched = m_fallback[matched - 1];
        if (c == m_needle[matched]) ++matched;
        if (matched == m_needle.size()) return true;
    }
    return false;
}
