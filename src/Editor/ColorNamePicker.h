#pragma once

#include "Base/OrderedMap.h"
#include "Editor/ColorModel.h"

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// Gives a colour the name under which the project knows it.
class ColorNamePicker {
public:
    // Keyed by the colour's name (Unicode-normalised); the models are shared with the list they
    // came from. In loading order: of several colours with the same channels, the one that
    // comes first here answers.
    const OrderedMap<std::string, std::shared_ptr<ColorModel>>& colorMap() const { return m_colorMap; }

    // A later colour with the same name replaces the earlier one; the defaults "clear" and
    // "black" come last and replace project colours of those names.
    void loadMap(const std::vector<std::shared_ptr<ColorModel>>& list);
    void addDefaultColors();

    // The name of an entry whose redF, greenF, blueF and alphaF equal the argument's exactly.
    std::optional<std::string> getColorName(const ColorModel& colorModel) const;

private:
    // The four channels as the lookup compares them: -0 and 0 are one key, as they are equal.
    using Channels = std::array<double, 4>;
    struct ChannelsHash {
        std::size_t operator()(const Channels& channels) const noexcept;
    };
    // nullopt when a channel is not a number: such a colour equals nothing, itself included.
    static std::optional<Channels> channelsOf(const ColorModel& model);
    void reindex();

    OrderedMap<std::string, std::shared_ptr<ColorModel>> m_colorMap;
    // Every artboard asks for a few colours per view; a project may have a hundred thousand. The
    // first entry of m_colorMap for each set of channels, rebuilt whenever the table changes (the
    // loaded models are not changed afterwards). Not owned: the models live in m_colorMap.
    std::unordered_map<Channels, const ColorModel*, ChannelsHash> m_byChannels;
};
