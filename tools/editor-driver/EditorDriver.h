#pragma once

#include "SidePageActions.h"

#include "platform/ScriptedDialogPresenter.h"

#include <QPointF>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class MainEditorDesignViewController;
class ProjectMainWindowController;
class QMenu;

// Signs in, opens one screen in the editor as a double click on its thumbnail does, waits for
// the detail and the preview, applies the zoom, then performs canvas actions through the real
// document widget and prints what the canvas shows after each. A reply it waits for that fails
// (the application would show an error dialog) or does not come within the time limit ends the
// run at once with a line "failed WHAT: WHY".
class EditorDriver {
public:
    static constexpr int kSucceeded = 0;
    static constexpr int kFailed = 1;
    static constexpr int kBadArguments = 64;

    struct Action {
        enum class Kind { click, commandClick, band, rightClick, hover } kind = Kind::click;
        QPointF from; // document pixels at the chosen zoom (a high-density screen gives fractions)
        QPointF to;   // band only
        std::optional<SidePageActions::Action> sidePage; // an action on a side page instead
    };
    struct Options {
        QString service;
        QString email;
        QString password;
        std::string projectId;
        std::string artboardId;
        double zoom = 1.0;
        int timeoutSeconds = 120;
        int pauseSeconds = 0; // to look at the canvas (on a display) after each action
        std::vector<Action> actions;
    };

    // Reads the command line (without the program name); none with `problem` set on a mistake.
    static std::optional<Options> parse(const QStringList& arguments, QString* problem);

    EditorDriver(Options options, std::function<void(const QString&)> print);
    ~EditorDriver();
    int run();
    // The time limit ended a wait: requests may still be in flight.
    bool timedOut() const { return m_timedOut; }

private:
    bool signIn();
    // What failed, or nothing when the screen shows its preview.
    std::optional<QString> openScreen();
    void perform(const Action& action);
    void printCanvas();
    int remainingMs() const;
    // Runs the event loop until `done`; false when an error dialog came up or the time limit
    // ended first, with the reason kept for the failure line.
    bool waitFor(const std::function<bool()>& done);
    int fail(const QString& what);

    Options m_options;
    std::function<void(const QString&)> m_print;
    // Dialogs are answered like a closed box; an alert is how the application says a reply failed.
    platform::ScriptedDialogPresenter m_dialogs;
    qint64 m_deadline = 0;
    bool m_timedOut = false;
    QString m_why; // of the last wait that ended short
    ProjectMainWindowController* m_window = nullptr;   // owned: deleted at the end
    MainEditorDesignViewController* m_canvas = nullptr; // not owned: lives in the window
    QStringList m_menuTitles;                           // of the menu the last action opened
};
