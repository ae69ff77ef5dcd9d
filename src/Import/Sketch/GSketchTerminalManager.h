#pragma once

#include <QString>

#include <optional>
#include <utility>

// Where the design tools keep what our plug-ins need: installs the Sketch plug-in that travels in
// the application's resources, and finds the Adobe XD plug-in's data folder.
class GSketchTerminalManager {
public:
    static GSketchTerminalManager& terminalManager();

    // "SketchPluginInstalled" followed by the application version, no separator.
    QString getSketchPluginInstallKey() const;

    // Copies the plug-in bundle into Sketch's plug-in folder once per application version.
    // Nothing is ever shown to the user; failures are printed and the next launch tries again.
    void installSketchPluginIfNeeded();

    static inline const QString kSketchPluginResource = QStringLiteral("zendaqvusk.sketchplugin");
    static inline const QString kAdobeXDPluginId = QStringLiteral("b41e7c2d");

    // The plug-in bundle among the application's resources.
    static QString sketchPluginSourcePath();
    // Library/Application Support/com.bohemiancoding.sketch3/Plugins/zendaqvusk.sketchplugin, or
    // nullopt without a Library folder.
    static std::optional<QString> sketchPluginDestinationPath();

    // Library/Application Support/Adobe/Adobe XD, or nullopt without a Library folder.
    static std::optional<QString> getAdobeXDPath();
    // getAdobeXDPath()/plugin_settings/b41e7c2d.
    static std::optional<QString> getAdobeXDPluginDataPath();
    // (false, nullopt) without a path; else whether anything exists there, and the path.
    static std::pair<bool, std::optional<QString>> checkAdobeXDPluginDataPathExist();

    // Not read: every run takes the tool's path from its own export file.
    QString sketchToolPath;

private:
    GSketchTerminalManager() = default;
};
