#pragma once

#include <QLatin1StringView>
#include <QString>

// Every key the application keeps in platform::UserDefaults. Keys are part of the user's stored
// settings: renaming one silently forgets what earlier versions saved under it.
struct UserDefaultsKeys {
    // The session (kept by UserProfile).
    static constexpr QLatin1StringView isLoggedIn{"UserProfile.isLoggedIn"};
    static constexpr QLatin1StringView userInfo{"UserProfile.userInfo"};
    static constexpr QLatin1StringView accessDto{"UserProfile.accessDto"};

    // Where the last code export went, per target, and the Android package name last used.
    static constexpr QLatin1StringView lastSwiftExportFolder{"lastSwiftExportFolder"};
    static constexpr QLatin1StringView lastAndroidExportFolder{"lastAndroidExportFolder"};
    static constexpr QLatin1StringView androidPackageName{"androidPackageName"};

    // Shown-once flags.
    static constexpr QLatin1StringView artboardDragTutorialShown{"artboardDragTutorialShown"};

    // The Sketch plug-in is installed once per application version: the flag's key carries it.
    static constexpr QLatin1StringView sketchPluginInstalledPrefix{"SketchPluginInstalled"};
    static QString sketchPluginInstalled(const QString& appVersion)
    {
        return QString(sketchPluginInstalledPrefix) + appVersion;
    }
};
