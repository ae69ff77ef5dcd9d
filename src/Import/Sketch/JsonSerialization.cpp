#include "Import/Sketch/JsonSerialization.h"

#include "platform/DebugLog.h"
#include "platform/JsonText.h"

std::optional<std::string> JsonSerialization::dataUTF8String(const boost::json::object& dic)
{
    return platform::jsonText(dic, platform::JsonStyle::Pretty);
}

std::optional<boost::json::value> JsonSerialization::parseDocument(const std::string& text)
{
    std::optional<boost::json::value> parsed = platform::parseJson(text);
    if (!parsed || !(parsed->is_object() || parsed->is_array())) return std::nullopt;
    return parsed;
}

std::vector<boost::json::object> JsonSerialization::stringListToDictList(const std::vector<std::string>& list)
{
    std::vector<boost::json::object> result;
    result.reserve(list.size());
    for (const std::string& text : list) {
        std::optional<boost::json::value> parsed = parseDocument(text);
        if (!parsed) {
            // written quoted, as a debug print of a text value shows it
            platform::debugPrint(std::string_view("\"stringListToDictList JSONSerialization error\""));
            continue;
        }
        if (parsed->is_object())
            result.push_back(std::move(parsed->get_object()));
        else
            result.emplace_back();
    }
    return result;
}

boost::json::object JsonSerialization::json(const std::optional<std::string>& string)
{
    if (!string) return {};
    std::optional<boost::json::value> parsed = parseDocument(*string);
    if (!parsed) {
        platform::debugPrint(std::string_view("\"JSONSerialization error\""));
        return {};
    }
    if (!parsed->is_object()) return {};
    return std::move(parsed->get_object());
}
