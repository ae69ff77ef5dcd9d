#pragma once

// The kinds of things the importer looks for in Sketch JSON. Each names one entry of the key
// table (SketchMetrics); the raw text of a case is its name.

#include <array>
#include <optional>
#include <string_view>

enum class SketchLayerKeys : int {
    kColor,
    kText,
    kFont,
    kStyle,
    kBorderColor,
    kFillColor,
    kShadowColor,
    kInnerShadowColor,
    kTextColor,
    kFillImageUrl,
    kArtboard,
    kLayer,
    kExportables,
    kShapeGroups,
    kSymbolInstances,
    kSymbolMasters,
    kExportableBitmapImages,
    kFramables,
    kLayerStyles,
    kTextStyles,
};

namespace sketchlayerkeys {

inline constexpr std::array<std::string_view, 20> kRawValues = {
    "kColor",       "kText",       "kFont",          "kStyle",
    "kBorderColor", "kFillColor",  "kShadowColor",   "kInnerShadowColor",
    "kTextColor",   "kFillImageUrl", "kArtboard",    "kLayer",
    "kExportables", "kShapeGroups", "kSymbolInstances", "kSymbolMasters",
    "kExportableBitmapImages", "kFramables", "kLayerStyles", "kTextStyles",
};

inline constexpr std::array<SketchLayerKeys, 20> kAllKeys = {
    SketchLayerKeys::kColor,        SketchLayerKeys::kText,        SketchLayerKeys::kFont,
    SketchLayerKeys::kStyle,        SketchLayerKeys::kBorderColor, SketchLayerKeys::kFillColor,
    SketchLayerKeys::kShadowColor,  SketchLayerKeys::kInnerShadowColor, SketchLayerKeys::kTextColor,
    SketchLayerKeys::kFillImageUrl, SketchLayerKeys::kArtboard,    SketchLayerKeys::kLayer,
    SketchLayerKeys::kExportables,  SketchLayerKeys::kShapeGroups, SketchLayerKeys::kSymbolInstances,
    SketchLayerKeys::kSymbolMasters, SketchLayerKeys::kExportableBitmapImages, SketchLayerKeys::kFramables,
    SketchLayerKeys::kLayerStyles,  SketchLayerKeys::kTextStyles,
};

} // namespace sketchlayerkeys

constexpr std::string_view rawValue(SketchLayerKeys key)
{
    const auto index = static_cast<std::size_t>(key);
    return index < sketchlayerkeys::kRawValues.size() ? sketchlayerkeys::kRawValues[index] : std::string_view();
}

// No value for any text that is not a case name.
constexpr std::optional<SketchLayerKeys> sketchLayerKeysFromRawValue(std::string_view raw)
{
    for (std::size_t i = 0; i < sketchlayerkeys::kRawValues.size(); ++i) {
        if (sketchlayerkeys::kRawValues[i] == raw) return sketchlayerkeys::kAllKeys[i];
    }
    return std::nullopt;
}
