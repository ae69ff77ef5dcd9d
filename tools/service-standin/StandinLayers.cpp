#include "StandinLayers.h"

#include "platform/JsonText.h"

#include <cctype>
#include <cmath>
#include <vector>

namespace {

bool isAsciiAlnum(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

std::vector<std::string> words(std::string_view text, std::size_t maxWords)
{
    std::vector<std::string> out;
    std::string current;
    auto flush = [&] {
        if (!current.empty() && out.size() < maxWords) out.push_back(current);
        current.clear();
    };
    for (char c : text) {
        if (isAsciiAlnum(c)) {
            current.push_back(c);
        } else {
            flush();
        }
    }
    flush();
    return out;
}

} // namespace

std::optional<boost::json::object> StandinLayers::parsedJson(const boost::json::object& record)
{
    const auto* text = record.if_contains("jsonString");
    if (!text || !text->is_string()) return std::nullopt;
    return platform::parseJsonObject(std::string_view(text->get_string().data(), text->get_string().size()));
}

const boost::json::object* StandinLayers::object(const boost::json::object& o, std::string_view key)
{
    const auto* v = o.if_contains(key);
    return v && v->is_object() ? &v->get_object() : nullptr;
}

const boost::json::array* StandinLayers::array(const boost::json::object& o, std::string_view key)
{
    const auto* v = o.if_contains(key);
    return v && v->is_array() ? &v->get_array() : nullptr;
}

std::optional<double> StandinLayers::number(const boost::json::object& o, std::string_view key)
{
    const auto* v = o.if_contains(key);
    if (!v || !v->is_number()) return std::nullopt;
    const double d = v->to_number<double>();
    if (!std::isfinite(d)) return std::nullopt;
    return d;
}

std::string StandinLayers::string(const boost::json::object& o, std::string_view key)
{
    const auto* v = o.if_contains(key);
    return v && v->is_string() ? std::string(v->get_string()) : std::string();
}

bool StandinLayers::flag(const boost::json::object& o, std::string_view key, bool fallback)
{
    const auto* v = o.if_contains(key);
    if (!v) return fallback;
    if (v->is_bool()) return v->get_bool();
    if (v->is_int64()) return v->get_int64() != 0;
    return fallback;
}

bool StandinLayers::isShownLayer(const boost::json::value& layer)
{
    if (!layer.is_object()) return false;
    const auto& o = layer.get_object();
    return !string(o, "do_objectID").empty() && flag(o, "isVisible", true);
}

StandinLayers::Rect StandinLayers::rectFrom(const boost::json::object* frame)
{
    Rect r;
    if (!frame) return r;
    r.x = number(*frame, "x").value_or(0);
    r.y = number(*frame, "y").value_or(0);
    r.width = number(*frame, "width").value_or(0);
    r.height = number(*frame, "height").value_or(0);
    return r;
}

StandinLayers::Rect StandinLayers::frameIn(const boost::json::object& layer, double parentX, double parentY)
{
    Rect r = rectFrom(object(layer, "frame"));
    if (const auto* origin = object(layer, "ZVExactOrigin")) {
        r.x = number(*origin, "x").value_or(0);
        r.y = number(*origin, "y").value_or(0);
    } else {
        r.x += parentX;
        r.y += parentY;
    }
    return r;
}

boost::json::object StandinLayers::rectJson(const Rect& r)
{
    return {{"x", r.x}, {"y", r.y}, {"width", r.width}, {"height", r.height}};
}

const boost::json::object* StandinLayers::firstEnabledFill(const boost::json::object& layer)
{
    const auto* style = object(layer, "style");
    const auto* fills = style ? array(*style, "fills") : nullptr;
    if (!fills) return nullptr;
    for (const auto& f : *fills) {
        if (!f.is_object() || !flag(f.get_object(), "isEnabled", true)) continue;
        if (number(f.get_object(), "fillType").value_or(0) != 0) continue;
        if (object(f.get_object(), "color")) return &f.get_object();
    }
    return nullptr;
}

const boost::json::object* StandinLayers::firstEnabledBorder(const boost::json::object& layer)
{
    const auto* style = object(layer, "style");
    const auto* borders = style ? array(*style, "borders") : nullptr;
    if (!borders) return nullptr;
    for (const auto& b : *borders) {
        if (b.is_object() && flag(b.get_object(), "isEnabled", true) && object(b.get_object(), "color")) return &b.get_object();
    }
    return nullptr;
}

const boost::json::object* StandinLayers::textAttributes(const boost::json::object& layer)
{
    if (const auto* attributed = object(layer, "attributedString")) {
        if (const auto* runs = array(*attributed, "attributes"); runs && !runs->empty() && runs->front().is_object()) {
            if (const auto* a = object(runs->front().get_object(), "attributes")) return a;
        }
    }
    const auto* style = object(layer, "style");
    const auto* textStyle = style ? object(*style, "textStyle") : nullptr;
    return textStyle ? object(*textStyle, "encodedAttributes") : nullptr;
}

std::string StandinLayers::layerJsonText(const boost::json::object& layer)
{
    boost::json::object own;
    for (const auto& member : layer) {
        if (member.key() == "layers") {
            own.emplace(member.key(), boost::json::array());
        } else {
            own.emplace(member.key(), member.value());
        }
    }
    return platform::jsonText(own).value_or("{}");
}

std::string StandinLayers::upperCamel(std::string_view text, std::size_t maxWords)
{
    std::string out;
    for (auto w : words(text, maxWords)) {
        w[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(w[0])));
        out += w;
    }
    return out;
}

std::string StandinLayers::lowerCamel(std::string_view text, std::size_t maxWords)
{
    std::string out = upperCamel(text, maxWords);
    if (!out.empty()) out[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(out[0])));
    return out;
}

std::string StandinLayers::assetName(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (isAsciiAlnum(c) || c == '_') out.push_back(c);
    }
    return out;
}
