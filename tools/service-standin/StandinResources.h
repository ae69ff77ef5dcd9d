#pragma once

#include <boost/json.hpp>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

// The project's colours, text styles, texts and images as the detail reply lists them, and the
// subset one screen uses. A resource is named once, by the project-wide walk, so that a view's
// colour or font always carries the same name as the project's list entry it equals.
class StandinResources {
public:
    // Registers the resources of shared styles (stored as [{"jsonString"}]) and of a layer tree.
    void collectTextStyles(const boost::json::array& styles);
    void collectLayerStyles(const boost::json::array& styles);
    void collect(const boost::json::object& root);

    // The records of one layer, registered for the project; with `screen` also for the screen.
    std::optional<boost::json::object> fillColor(const boost::json::object& layer, bool screen);
    std::optional<boost::json::object> borderColor(const boost::json::object& layer, bool screen);
    std::optional<boost::json::object> textColor(const boost::json::object& layer, bool screen);
    std::optional<boost::json::object> font(const boost::json::object& layer, bool screen);
    std::optional<boost::json::object> text(const boost::json::object& layer, bool screen);
    // The asset name of a bitmap or exportable layer; empty for any other layer.
    std::string image(const boost::json::object& layer, bool screen);

    // A ColorModel of a Sketch colour ({"red","green","blue","alpha"} as fractions).
    static std::optional<boost::json::object> colorModel(const boost::json::object* sketchColor);
    // A FontModel of a Sketch font descriptor ({"attributes": {"name","size"}}).
    static std::optional<boost::json::object> fontModel(const boost::json::object* descriptor,
                                                        const std::string& textStyleName);

    boost::json::array colors(bool screen) const { return listed(m_colors, screen); }
    boost::json::array fonts(bool screen) const { return listed(m_fonts, screen); }
    boost::json::array strings(bool screen) const { return listed(m_strings, screen); }
    boost::json::array images(bool screen) const { return listed(m_images, screen); }

private:
    struct List {
        std::vector<boost::json::object> records;
        std::map<std::string, std::size_t> byKey;
        std::vector<std::size_t> screen;
        std::set<std::size_t> onScreen;
    };
    // The registered record under `key` (the given one when new), marked for the screen when asked.
    static const boost::json::object& add(List& list, const std::string& key, boost::json::object record, bool screen);
    static boost::json::array listed(const List& list, bool screen);
    std::optional<boost::json::object> color(const boost::json::object* sketchColor, bool screen);

    List m_colors;
    List m_fonts;
    List m_strings;
    List m_images;
    std::set<std::string> m_stringNames;
};
