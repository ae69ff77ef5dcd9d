#pragma once

#include <QString>

#include <functional>
#include <string_view>

namespace platform {

// The debug output of the system. Lines keep their exact text; tests can capture them.
void debugPrint(const QString& line);
void debugPrint(std::string_view line);
// Literals are UTF-8 text.
inline void debugPrint(const char* line) { debugPrint(std::string_view(line)); }

// Installs a capture (nullptr removes it). Captured lines are still logged.
void setDebugCapture(std::function<void(const QString&)> capture);

} // namespace platform
