#pragma once

// Our JSON text writer and a non-throwing reader over boost::json.
// boost::json's own serializer writes every double in exponent form ("1E0"); the service and the
// uploaded design JSON expect the plain decimal forms, so every JSON text we produce goes through here.

#include <boost/json.hpp>

#include <optional>
#include <string>
#include <string_view>

namespace platform {

enum class JsonStyle { Compact, Pretty };

// Pretty: two-space indent, "key" : value, one member per line (the layout of the macOS writer).
// Whole doubles are written without fraction or exponent (2.0 -> 2); others in the shortest form
// that reads back to the same value, in plain decimal notation for ordinary magnitudes.
// Invalid UTF-8 in strings is replaced by U+FFFD. Answers nullopt only for non-finite numbers.
std::optional<std::string> jsonText(const boost::json::value& value, JsonStyle style = JsonStyle::Compact);
// The same for an object or array held on its own, without copying it into a value first.
std::optional<std::string> jsonText(const boost::json::object& object, JsonStyle style = JsonStyle::Compact);
std::optional<std::string> jsonText(const boost::json::array& array, JsonStyle style = JsonStyle::Compact);

// Parses strict JSON (no comments, no trailing commas, valid UTF-8 only); never throws.
// nullopt on a syntax error or when the nesting exceeds maxDepth; `error`, when given, receives a
// short description of the failure. Integers that fit 64 bits stay integers; every other number
// is read as the nearest double (correctly rounded, overflow to infinity), so what jsonText wrote
// reads back bit for bit.
constexpr unsigned kDefaultMaxJsonDepth = 1024;
std::optional<boost::json::value> parseJson(std::string_view text, std::string* error = nullptr,
                                            unsigned maxDepth = kDefaultMaxJsonDepth);

// Parses text that must hold a JSON object; nullopt otherwise.
std::optional<boost::json::object> parseJsonObject(std::string_view text, std::string* error = nullptr);

// Decimal text of a floating value with at least one fractional digit, as the tools of this
// system print numbers: 4 -> "4.0", 1.5 -> "1.5", 0.1 -> "0.1".
std::string decimalText(double value);

} // namespace platform
