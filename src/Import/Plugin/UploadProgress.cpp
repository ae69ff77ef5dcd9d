#include "Import/Plugin/UploadProgress.h"

#include "platform/JsonText.h"

#include <limits>

namespace {

// Counts beyond an int are no upload anybody makes; clamping keeps the arithmetic defined.
int clampedCount(std::size_t value)
{
    constexpr std::size_t kMax = static_cast<std::size_t>(std::numeric_limits<int>::max() / 4);
    return static_cast<int>(value > kMax ? kMax : value);
}

} // namespace

UploadProgress::UploadProgress(std::size_t artboardCount, std::size_t symbolMasterCount)
    : m_total(3 * clampedCount(artboardCount) + clampedCount(symbolMasterCount))
{
}

int UploadProgress::count(Counter counter) const
{
    switch (counter) {
    case Counter::artboards: return m_artboards;
    case Counter::previews: return m_previews;
    case Counter::symbols: return m_symbols;
    }
    return 0;
}

int UploadProgress::advance(Counter counter, int steps)
{
    switch (counter) {
    case Counter::artboards: return m_artboards += steps;
    case Counter::previews: return m_previews += steps;
    case Counter::symbols: return m_symbols += steps;
    }
    return 0;
}

double UploadProgress::percentage() const
{
    if (m_total <= 0) return 0;
    if (done() >= m_total) return 100.0;
    return static_cast<double>(done()) / static_cast<double>(m_total) * 100.0;
}

std::string UploadProgress::counterLine(const char* prefix, int value)
{
    return std::string(prefix) + platform::decimalText(static_cast<double>(value));
}
