#pragma once

// What the core needs of the window navigation. The Widgets navigator (App/ui/Navigator)
// implements it and installs itself at start; tests install their own.

#include <QObject>
#include <QPointer>

#include <functional>

struct ProjectDisplayInfo;

class NavigatorInterface {
public:
    virtual ~NavigatorInterface() = default;

    // The installed navigator; a navigator that does nothing when none is installed.
    static NavigatorInterface& share();
    static void install(NavigatorInterface* navigator); // not owned

    // Brings the application to the front above other applications.
    virtual void activateApplication() = 0;
    // Opens the login window, or brings an open one to the front.
    virtual void showLoginViewController() = 0;
    // Closes every window and shows the login window (idempotent).
    virtual void closeAllWindowsAndBackToLogin() = 0;
    // Loads the project list and shows the project selection for an import in `window`
    // (or a new project selection window). completion(true) once shown, (false) when the load failed.
    virtual void showProjectSelectionViewController(QObject* window, std::function<void(bool shown)> completion) = 0;
    // Puts the upload progress screen for `project` into `window` and shows it.
    virtual void openExportArtboards(QObject* window, const ProjectDisplayInfo& project) = 0;
    // Makes `window` (a window controller) key and brings it to the front, leaving its content
    // as it is. Used when a hand-off is refused because that window's upload is still running.
    virtual void bringWindowToFront(QObject* window) { (void)window; }
    // Reloads the project list into the project window (or a new one); completion(true) once shown.
    virtual void showProjectsMainController(std::function<void(bool shown)> completion) = 0;
    // Shows the loading indicator over `target` (a widget; nullptr: the key window) / removes it.
    virtual void addIndicator(QObject* target) = 0;
    virtual void removeIndicator() = 0;
};
