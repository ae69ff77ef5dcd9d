#include "StandinResources.h"

#include "StandinLayers.h"

#include "platform/JsonText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

using L = StandinLayers;

// Sketch colours are fractions; anything outside is taken to the nearest end.
double channel(const boost::json::object& color, std::string_view key, double fallback = 0)
{
    return std::clamp(L::number(color, key).value_or(fallback), 0.0, 1.0);
}

std::string sizeText(double size)
{
    return platform::decimalText(size);
}

// The stored shared style: the sharedStyle dictionary, or its value alone.
const boost::json::object* styleValue(const boost::json::value& stored, std::optional<boost::json::object>& parsed)
{
    if (!stored.is_object()) return nullptr;
    parsed = L::parsedJson(stored.get_object());
    if (!parsed) return nullptr;
    if (const auto* value = L::object(*parsed, "value")) return value;
    return &*parsed;
}

} // namespace

std::optional<boost::json::object> StandinResources::colorModel(const boost::json::object* sketchColor)
{
    if (!sketchColor) return std::nullopt;
    const double red = channel(*sketchColor, "red");
    const double green = channel(*sketchColor, "green");
    const double blue = channel(*sketchColor, "blue");
    const double alpha = channel(*sketchColor, "alpha", 1);
    const double redF = std::round(red * 255.0);
    const double greenF = std::round(green * 255.0);
    const double blueF = std::round(blue * 255.0);
    const double alphaF = std::round(alpha * 100.0) / 100.0;
    const auto alphaInt = static_cast<std::int64_t>(std::llround(alphaF * 100.0));
    char hex[16];
    std::snprintf(hex, sizeof hex, "%02X%02X%02X", static_cast<unsigned>(redF), static_cast<unsigned>(greenF),
                  static_cast<unsigned>(blueF));
    std::string name = std::string("color") + hex;
    if (alphaInt != 100) name += "_" + std::to_string(alphaInt);
    return boost::json::object{{"name", name},
                               {"alphaF", alphaF},
                               {"alphaInt", alphaInt},
                               {"redF", redF},
                               {"blueF", blueF},
                               {"greenF", greenF},
                               {"alphaS", platform::decimalText(alphaF)},
                               {"redS", platform::decimalText(redF)},
                               {"blueS", platform::decimalText(blueF)},
                               {"greenS", platform::decimalText(greenF)},
                               {"red", red},
                               {"green", green},
                               {"blue", blue},
                               {"alpha", alpha}};
}

std::optional<boost::json::object> StandinResources::fontModel(const boost::json::object* descriptor,
                                                               const std::string& textStyleName)
{
    const auto* attributes = descriptor ? L::object(*descriptor, "attributes") : nullptr;
    if (!attributes) return std::nullopt;
    std::string name = L::string(*attributes, "name");
    const double size = std::round(L::number(*attributes, "size").value_or(0));
    const bool system = name.empty();
    std::string weight;
    if (system) {
        name = "System-Regular";
        weight = ".regular";
    }
    const std::string sizeS = sizeText(size);
    return boost::json::object{{"name", name},
                               {"textStyleName", textStyleName},
                               {"size", size},
                               {"sizeS", sizeS},
                               {"weight", weight},
                               {"attributeModel", {{"attributes", {{"name", L::string(*attributes, "name")}, {"size", size}}}}},
                               {"isSystemFont", system},
                               {"isNotSystemFont", !system},
                               {"uniqueKey", name + "-" + weight + "-" + sizeS},
                               {"textStyleNum", 0}};
}

const boost::json::object& StandinResources::add(List& list, const std::string& key, boost::json::object record, bool screen)
{
    auto found = list.byKey.find(key);
    if (found == list.byKey.end()) {
        list.records.push_back(std::move(record));
        found = list.byKey.emplace(key, list.records.size() - 1).first;
    }
    if (screen && list.onScreen.insert(found->second).second) list.screen.push_back(found->second);
    return list.records[found->second];
}

boost::json::array StandinResources::listed(const List& list, bool screen)
{
    boost::json::array out;
    if (screen) {
        for (auto i : list.screen) out.push_back(list.records[i]);
    } else {
        for (const auto& r : list.records) out.push_back(r);
    }
    return out;
}

std::optional<boost::json::object> StandinResources::color(const boost::json::object* sketchColor, bool screen)
{
    auto model = colorModel(sketchColor);
    if (!model) return std::nullopt;
    const std::string key = L::string(*model, "name");
    return add(m_colors, key, std::move(*model), screen);
}

void StandinResources::collectTextStyles(const boost::json::array& styles)
{
    for (const auto& stored : styles) {
        std::optional<boost::json::object> parsed;
        const auto* value = styleValue(stored, parsed);
        const auto* textStyle = value ? L::object(*value, "textStyle") : nullptr;
        const auto* attributes = textStyle ? L::object(*textStyle, "encodedAttributes") : nullptr;
        if (!attributes) continue;
        std::string styleName = L::lowerCamel(L::string(*parsed, "name"));
        if (styleName.empty()) styleName = "textStyle";
        if (auto model = fontModel(L::object(*attributes, "MSAttributedStringFontAttribute"), styleName)) {
            (*model)["textStyleNum"] = static_cast<std::int64_t>(m_fonts.records.size() + 1);
            const std::string key = L::string(*model, "uniqueKey");
            add(m_fonts, key, std::move(*model), false);
        }
        color(L::object(*attributes, "MSAttributedStringColorAttribute"), false);
    }
}

void StandinResources::collectLayerStyles(const boost::json::array& styles)
{
    for (const auto& stored : styles) {
        std::optional<boost::json::object> parsed;
        if (const auto* value = styleValue(stored, parsed)) fillColor(boost::json::object{{"style", *value}}, false);
    }
}

void StandinResources::collect(const boost::json::object& root)
{
    const auto* layers = L::array(root, "layers");
    if (!layers) return;
    for (const auto& child : *layers) {
        if (!L::isShownLayer(child)) continue;
        const auto& layer = child.get_object();
        fillColor(layer, false);
        borderColor(layer, false);
        textColor(layer, false);
        font(layer, false);
        text(layer, false);
        image(layer, false);
        collect(layer);
    }
}

std::optional<boost::json::object> StandinResources::fillColor(const boost::json::object& layer, bool screen)
{
    const auto* fill = L::firstEnabledFill(layer);
    return fill ? color(L::object(*fill, "color"), screen) : std::nullopt;
}

std::optional<boost::json::object> StandinResources::borderColor(const boost::json::object& layer, bool screen)
{
    const auto* border = L::firstEnabledBorder(layer);
    return border ? color(L::object(*border, "color"), screen) : std::nullopt;
}

std::optional<boost::json::object> StandinResources::textColor(const boost::json::object& layer, bool screen)
{
    if (L::string(layer, "_class") != "text") return std::nullopt;
    const auto* attributes = L::textAttributes(layer);
    return attributes ? color(L::object(*attributes, "MSAttributedStringColorAttribute"), screen) : std::nullopt;
}

std::optional<boost::json::object> StandinResources::font(const boost::json::object& layer, bool screen)
{
    if (L::string(layer, "_class") != "text") return std::nullopt;
    const auto* attributes = L::textAttributes(layer);
    auto model = attributes ? fontModel(L::object(*attributes, "MSAttributedStringFontAttribute"), {}) : std::nullopt;
    if (!model) return std::nullopt;
    const std::string key = L::string(*model, "uniqueKey");
    if (!m_fonts.byKey.count(key)) {
        // A font no shared style names: a style name of its own, from the font and its size.
        const auto size = std::llround(L::number(*model, "size").value_or(0));
        (*model)["textStyleName"] = L::lowerCamel(L::string(*model, "name")) + std::to_string(size);
        (*model)["textStyleNum"] = static_cast<std::int64_t>(m_fonts.records.size() + 1);
    }
    return add(m_fonts, key, std::move(*model), screen);
}

std::optional<boost::json::object> StandinResources::text(const boost::json::object& layer, bool screen)
{
    if (L::string(layer, "_class") != "text") return std::nullopt;
    const auto* attributed = L::object(layer, "attributedString");
    const std::string value = attributed ? L::string(*attributed, "string") : std::string();
    if (value.empty()) return std::nullopt;
    if (!m_strings.byKey.count(value)) {
        const std::string base = "text" + L::upperCamel(value, 4);
        std::string name = base;
        for (int n = 2; m_stringNames.count(name); ++n) name = base + std::to_string(n);
        m_stringNames.insert(name);
        return add(m_strings, value, boost::json::object{{"name", name}, {"text", value}}, screen);
    }
    return add(m_strings, value, {}, screen);
}

std::string StandinResources::image(const boost::json::object& layer, bool screen)
{
    const auto* options = L::object(layer, "exportOptions");
    const auto* formats = options ? L::array(*options, "exportFormats") : nullptr;
    const bool exportable = formats && !formats->empty();
    if (!exportable && L::string(layer, "_class") != "bitmap") return {};
    const std::string oid = L::string(layer, "do_objectID");
    std::string name = L::assetName(L::string(layer, "name"));
    if (name.empty()) name = L::assetName(oid);
    const auto& record = add(m_images, oid, boost::json::object{{"oid", oid}, {"imageName", name}}, screen);
    return L::string(record, "imageName");
}
