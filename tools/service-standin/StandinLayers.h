#pragma once

#include <boost/json.hpp>

#include <optional>
#include <string>
#include <string_view>

// Small readers over the uploaded Sketch layer JSON and the naming rules of the stand-in's
// replies. Everything here is tolerant: a member that is missing or of another type reads as
// absent, never as an error.
class StandinLayers {
public:
    struct Rect {
        double x = 0;
        double y = 0;
        double width = 0;
        double height = 0;
    };

    // The parsed "jsonString" of a stored upload record; nullopt when absent or not a JSON object.
    static std::optional<boost::json::object> parsedJson(const boost::json::object& record);

    static const boost::json::object* object(const boost::json::object& o, std::string_view key);
    static const boost::json::array* array(const boost::json::object& o, std::string_view key);
    static std::optional<double> number(const boost::json::object& o, std::string_view key);
    static std::string string(const boost::json::object& o, std::string_view key);
    static bool flag(const boost::json::object& o, std::string_view key, bool fallback);

    // A layer worth a view: an object with an id that is not hidden. The upload reduces hidden
    // layers to empty objects; a hidden layer that kept its members is skipped all the same.
    static bool isShownLayer(const boost::json::value& layer);
    // The layer's frame in the space of the tree it was uploaded in: the origin the upload
    // annotated ("ZVExactOrigin"), else the parent's origin plus the frame's own offset.
    static Rect frameIn(const boost::json::object& layer, double parentX, double parentY);
    static boost::json::object rectJson(const Rect& r);
    static Rect rectFrom(const boost::json::object* frame);

    // The first fill or border whose "isEnabled" is not false (fills: a plain colour fill only).
    static const boost::json::object* firstEnabledFill(const boost::json::object& layer);
    static const boost::json::object* firstEnabledBorder(const boost::json::object& layer);
    // The text attributes of a text layer: the first run of its attributed string, else its text style.
    static const boost::json::object* textAttributes(const boost::json::object& layer);

    // The layer without its children, so that each view carries only its own layer.
    static std::string layerJsonText(const boost::json::object& layer);

    // "icon/back arrow" -> "IconBackArrow" / "iconBackArrow"; only ASCII letters and digits survive.
    static std::string upperCamel(std::string_view text, std::size_t maxWords = 8);
    static std::string lowerCamel(std::string_view text, std::size_t maxWords = 8);
    // Letters, digits and '_' of a name, as image asset names are made.
    static std::string assetName(std::string_view text);
};
