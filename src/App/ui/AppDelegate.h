#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace platform {
class SingleInstance;
}
class PluginMessageChannel;

// The application's start, reopen and open-file entries.
class AppDelegate : public QObject {
    Q_OBJECT

public:
    explicit AppDelegate(QObject* parent = nullptr);

    // Before the launch completes: the session test.
    void applicationWillFinishLaunching();
    // When the launch completes: the crash-report client, the Sketch plug-in installation and
    // the design-tool plug-in channel (started once, never stopped).
    void applicationDidFinishLaunching();
    // A new start of the application while it runs (without files to open). With no visible
    // window the session test runs again; otherwise the application comes forward.
    void applicationShouldHandleReopen(bool hasVisibleWindows);
    // A design hand-off: answers whether the file is one the application imports, and then starts
    // the import (sign-in test, project selection).
    bool application(const QString& openFile);

    // Signed in before: load the session, confirm it with the service and open the project
    // window; otherwise (or when the service refuses it) the login window.
    void checkSession();

    // Takes the paths that later starts of the application hand over: each path is opened; an
    // empty hand-off is a reopen.
    void listenForHandOffs(platform::SingleInstance& instance); // not owned; must outlive this connection

    static bool hasVisibleWindows();
    // The command-line arguments after the program name as absolute paths: the running instance
    // that opens them may work in another folder.
    static QStringList filePathsFromArguments(const QStringList& arguments, const QString& workingDirectory);

    // The channel the XD plug-in announces its exports on; nullptr before the launch completed.
    PluginMessageChannel* pluginMessageChannel() const { return m_pluginMessageChannel; }

private:
    void handOffReceived(const QStringList& paths);

    PluginMessageChannel* m_pluginMessageChannel = nullptr; // child of this
};
