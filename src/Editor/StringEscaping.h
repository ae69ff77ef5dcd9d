#pragma once

#include <string>
#include <string_view>

// The text escaped for a double-quoted literal of generated code: backslash first (so the
// backslashes added later are not doubled), then line feed, carriage return, NUL, tab, double
// quote and apostrophe. Works on bytes: a quote followed by a combining mark is still escaped, so
// the literal can never be closed early, and an embedded NUL does not end the text.
std::string withEscapedNormalized(std::string_view text);
