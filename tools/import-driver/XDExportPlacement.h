#pragma once

#include <QString>

#include <optional>

// Puts an Adobe XD export where the application looks for the plug-in's data folder (below the
// Library folder of the current home). The driver runs in a home of its own, so the export is
// copied there; nothing outside that home is written or removed.
class XDExportPlacement {
public:
    // The plug-in data folder of the current home; nullopt when the platform names no Library folder.
    static std::optional<QString> pluginFolder();

    // Copies the folder `source` to the plug-in data folder and answers that folder. A source that
    // already is the plug-in data folder is used where it is. Refuses (nullopt, with `error`) when
    // the source is not a folder or something is already at the plug-in data folder: an export
    // that was there must not be mixed with or replaced by another one.
    static std::optional<QString> place(const QString& source, QString* error);

private:
    // Folders, files and links (as links) below `from`; devices and sockets are left out.
    static bool copyTree(const QString& from, const QString& to, QString* error);
};
