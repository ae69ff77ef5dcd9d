#pragma once

#include <boost/json.hpp>

#include <QString>

#include <optional>

namespace platform {

enum class PropertyListFormat { Xml, Binary };

// Reads an XML or binary property list into a JSON tree: dictionaries become objects, arrays
// arrays, strings strings, booleans booleans, integers integers, reals doubles, dates ISO 8601
// text, data Base64 text. nullopt (with `error`) when the file cannot be read or parsed.
std::optional<boost::json::value> readPropertyList(const QString& path, QString* error = nullptr);

// Writes a JSON tree as a property list (objects as dictionaries; null is skipped).
bool writePropertyList(const QString& path, const boost::json::value& value, PropertyListFormat format,
                       QString* error = nullptr);

} // namespace platform
