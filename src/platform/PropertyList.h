#pragma once

#include <boost/json.hpp>

#include <QString>

#include <optional>

namespace platform {

enum class PropertyListFormat { Xml, Binary };

// What a property list read from outside may hold. The library that parses them recurses once per
// level, so the nesting is checked on the raw bytes before it sees them.
struct PropertyListLimits {
    qint64 maxFileBytes = 256LL * 1024 * 1024;
    int maxDepth = 64; // dictionaries and arrays inside one another
};

enum class PropertyListProblem { none, unreadable, tooLarge, tooDeep, notPropertyList, badValue };

// Reads an XML or binary property list into a JSON tree: dictionaries become objects, arrays
// arrays, strings strings, booleans booleans, integers integers, reals doubles, dates ISO 8601
// text, data Base64 text. nullopt (with `error` and `problem`) when the file cannot be read,
// is beyond the limits, or cannot be parsed. Only a regular file is opened.
std::optional<boost::json::value> readPropertyList(const QString& path, QString* error = nullptr,
                                                   PropertyListProblem* problem = nullptr,
                                                   const PropertyListLimits& limits = {});

// The deepest nesting of dictionaries and arrays in property-list bytes, counted without the
// library; nullopt for bytes whose structure cannot be followed (a broken offset table, a cycle).
// Counting stops early once `stopAbove` is passed (the answer is then stopAbove + 1).
std::optional<int> propertyListDepth(const QByteArray& bytes, int stopAbove);

// Writes a JSON tree as a property list (objects as dictionaries; null is skipped).
bool writePropertyList(const QString& path, const boost::json::value& value, PropertyListFormat format,
                       QString* error = nullptr);

} // namespace platform
