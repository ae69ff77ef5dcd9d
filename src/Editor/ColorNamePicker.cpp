#include "Editor/ColorNamePicker.h"

#include "Editor/PickerText.h"

#include <bit>
#include <cmath>
#include <cstdint>

void ColorNamePicker::loadMap(const std::vector<std::shared_ptr<ColorModel>>& list)
{
    for (const auto& model : list) {
        if (!model) continue;
        m_colorMap.insert_or_assign(PickerText::normalized(model->name), model);
    }
    addDefaultColors(); // also indexes what was loaded
}

void ColorNamePicker::addDefaultColors()
{
    // Copied from one string: GCC 12 at -O3 warns wrongly (-Wstringop-overflow) on chained literal assignments.
    const std::string zero = "0";
    auto clear = std::make_shared<ColorModel>();
    clear->name = "clear";
    clear->redS = clear->greenS = clear->blueS = clear->alphaS = zero;
    m_colorMap.insert_or_assign(clear->name, clear);

    auto black = std::make_shared<ColorModel>();
    black->name = "black";
    black->alphaF = 1;
    black->alpha = 1;
    black->redS = black->greenS = black->blueS = black->alphaS = zero;
    m_colorMap.insert_or_assign(black->name, black);
    reindex();
}

std::optional<ColorNamePicker::Channels> ColorNamePicker::channelsOf(const ColorModel& model)
{
    Channels channels{model.redF, model.greenF, model.blueF, model.alphaF};
    for (double& channel : channels) {
        if (std::isnan(channel)) return std::nullopt;
        if (channel == 0) channel = 0; // -0 compares equal to 0, so it must hash alike
    }
    return channels;
}

std::size_t ColorNamePicker::ChannelsHash::operator()(const Channels& channels) const noexcept
{
    // Channels are mostly small whole numbers, whose low bits are all zero: every channel goes
    // through a full mix (splitmix64's finaliser) so that all of its bits reach the buckets.
    std::uint64_t hash = 0x9E3779B97F4A7C15ULL;
    for (const double channel : channels) {
        hash ^= std::bit_cast<std::uint64_t>(channel);
        hash = (hash ^ (hash >> 30)) * 0xBF58476D1CE4E5B9ULL;
        hash = (hash ^ (hash >> 27)) * 0x94D049BB133111EBULL;
        hash ^= hash >> 31;
    }
    return static_cast<std::size_t>(hash);
}

void ColorNamePicker::reindex()
{
    // Rebuilt whole: a replaced entry may have been the first of its channels.
    m_byChannels.clear();
    m_byChannels.reserve(m_colorMap.size());
    for (const auto& [key, entry] : m_colorMap) {
        if (const std::optional<Channels> channels = channelsOf(*entry))
            m_byChannels.try_emplace(*channels, entry.get());
    }
}

std::optional<std::string> ColorNamePicker::getColorName(const ColorModel& colorModel) const
{
    const std::optional<Channels> channels = channelsOf(colorModel);
    if (!channels) return std::nullopt;
    const auto found = m_byChannels.find(*channels);
    if (found == m_byChannels.end()) return std::nullopt;
    return found->second->name;
}
