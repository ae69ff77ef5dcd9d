#pragma once

#include <QString>

#include <optional>

namespace platform {

// The user's Library folder: ~/Library on macOS, the XDG data home elsewhere.
// nullopt when the system names none.
std::optional<QString> userLibraryDirectory();

// For tests: answer `path` from now on (nullopt: the system names no Library folder) ...
void overrideUserLibraryDirectory(std::optional<QString> path);
// ... until this restores the system's answer.
void clearUserLibraryOverride();

// The application's resource folder (localised texts, reserved words, templates, plug-ins):
// Qt's resource root ":" unless a test points it elsewhere.
QString resourceDirectory();
void setResourceDirectory(const QString& path);

} // namespace platform
