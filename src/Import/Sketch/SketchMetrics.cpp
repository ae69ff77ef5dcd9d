#include "Import/Sketch/SketchMetrics.h"

#include <string>
#include <utility>

namespace {

using Ptr = LayerKeyModel::Ptr;

const std::optional<std::string> kAnyClass = std::string("*");
const std::optional<std::string> kNoClass = std::nullopt;

std::optional<std::string> cls(const char* name)
{
    return std::string(name);
}

// One step of a path over a single dictionary.
Ptr one(const char* key, std::optional<std::string> className, Ptr next = nullptr)
{
    return LayerKeyModel::make(key, std::move(className), false, std::move(next));
}

// One step of a path over an array of dictionaries.
Ptr many(const char* key, std::optional<std::string> className, Ptr next = nullptr)
{
    return LayerKeyModel::make(key, std::move(className), true, std::move(next));
}

// The last step of a path, with a has-node test.
Ptr manyTested(const char* key, std::optional<std::string> className, std::vector<Ptr> test, bool checkAllNodes)
{
    return LayerKeyModel::make(key, std::move(className), true, nullptr, std::move(test), checkAllNodes);
}

Ptr styleColor(const char* listKey, const char* elementClass)
{
    return one("style", cls("style"), many(listKey, cls(elementClass), one("color", cls("color"))));
}

Ptr attributedStringAttribute(const char* attributeKey, const char* attributeClass)
{
    return one("attributedString", cls("attributedString"),
               many("attributes", cls("stringAttribute"), one("attributes", kNoClass, one(attributeKey, cls(attributeClass)))));
}

Ptr exportFormats(std::optional<std::string> formatClass)
{
    return one("exportOptions", cls("exportOptions"), many("exportFormats", std::move(formatClass)));
}

} // namespace

SketchMetrics& SketchMetrics::instance()
{
    // Function-local static: built once, even if two threads race to the first search.
    static SketchMetrics metrics;
    return metrics;
}

SketchMetrics::SketchMetrics()
{
    auto set = [this](SketchLayerKeys key, Ptr entry) { m_metrics[static_cast<std::size_t>(key)] = std::move(entry); };

    set(SketchLayerKeys::kColor,
        manyTested("layers", kAnyClass,
                   {styleColor("borders", "border"), styleColor("fills", "fill"), styleColor("shadows", "shadow"),
                    styleColor("innerShadows", "innerShadow"),
                    attributedStringAttribute("MSAttributedStringColorAttribute", "color")},
                   false));
    set(SketchLayerKeys::kText, one("attributedString", cls("attributedString"), one("string", kNoClass)));
    set(SketchLayerKeys::kFont, attributedStringAttribute("MSAttributedStringFontAttribute", "fontDescriptor"));
    set(SketchLayerKeys::kStyle, one("style", cls("style")));
    set(SketchLayerKeys::kBorderColor, styleColor("borders", "border"));
    set(SketchLayerKeys::kFillColor, styleColor("fills", "fill"));
    set(SketchLayerKeys::kShadowColor, styleColor("shadows", "shadow"));
    set(SketchLayerKeys::kInnerShadowColor, styleColor("innerShadows", "innerShadow"));
    set(SketchLayerKeys::kTextColor, attributedStringAttribute("MSAttributedStringColorAttribute", "color"));
    set(SketchLayerKeys::kFillImageUrl,
        manyTested("layers", kAnyClass,
                   {one("style", cls("style"), many("fills", cls("fill"), one("image", cls("MSJSONFileReference")))),
                    exportFormats(kNoClass)},
                   true));
    set(SketchLayerKeys::kArtboard, many("layers", cls("artboard")));
    set(SketchLayerKeys::kLayer, many("layers", kAnyClass));
    set(SketchLayerKeys::kExportables, manyTested("layers", kAnyClass, {exportFormats(cls("exportFormat"))}, true));
    set(SketchLayerKeys::kShapeGroups, many("layers", cls("shapeGroup")));
    set(SketchLayerKeys::kSymbolInstances, many("layers", cls("symbolInstance")));
    set(SketchLayerKeys::kSymbolMasters, many("layers", cls("symbolMaster")));
    set(SketchLayerKeys::kExportableBitmapImages,
        manyTested("layers", cls("bitmap"),
                   {one("image", cls("MSJSONFileReference")), exportFormats(cls("exportFormat"))}, true));
    set(SketchLayerKeys::kFramables, manyTested("layers", kAnyClass, {one("ZVExactOrigin", cls("rect"))}, true));
    set(SketchLayerKeys::kLayerStyles,
        one("layerStyles", cls("sharedStyleContainer"), many("objects", kAnyClass)));
    set(SketchLayerKeys::kTextStyles,
        one("layerTextStyles", cls("sharedTextStyleContainer"), many("objects", kAnyClass)));
}

LayerKeyModel::Ptr SketchMetrics::getMetrics(SketchLayerKeys key) const
{
    const auto index = static_cast<std::size_t>(key);
    return index < m_metrics.size() ? m_metrics[index] : nullptr;
}
