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

// Makes `home` this process's home and XDG folders before anything reads them, so a headless
// driver run touches none of the user's settings or data; the font cache stays where it was so
// that each run does not rebuild it.
void usePrivateHome(const QString& home);

} // namespace platform
