#pragma once

#include <boost/json.hpp>

#include <optional>
#include <string>
#include <vector>

// Dictionaries to JSON text and back, for everything the import uploads and the editor reads.
class JsonSerialization {
public:
    JsonSerialization() = delete;

    // Pretty-printed JSON text; nullopt when the dictionary cannot be written (a number that is
    // not finite).
    static std::optional<std::string> dataUTF8String(const boost::json::object& dic);

    // One dictionary per text, in order. A text that does not parse is skipped with a debug
    // line; one that holds an array gives an empty dictionary.
    static std::vector<boost::json::object> stringListToDictList(const std::vector<std::string>& list);

    // The dictionary a text holds; empty for no text, text that does not parse (with a debug
    // line) and JSON that is not an object.
    static boost::json::object json(const std::optional<std::string>& string);

    // The JSON reader's view of one text: nullopt on a syntax error or when the top level is not
    // an object or array (bare scalars at the top are not accepted).
    static std::optional<boost::json::value> parseDocument(const std::string& text);
};
