#pragma once

#include "PendingReplies.h"
#include "PrintingDialogPresenter.h"
#include "SidePageActions.h"
#include "SignOutWatch.h"

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
// (the application shows an error dialog) or does not come within the time limit, and a sign-out
// whenever it comes, end the run at once with a line "failed WHAT: WHY". Every dialog the
// application shows goes to a second printer as it comes; a dialog outside a wait ends nothing.
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

    // `print` gets the results, `printDialog` a line per dialog the application shows.
    EditorDriver(Options options, std::function<void(const QString&)> print,
                 std::function<void(const QString&)> printDialog);
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
    // Runs the event loop until `done`; false when an error dialog came up, the application
    // signed out or the time limit ended first, with the reason kept for the failure line.
    bool waitFor(const std::function<bool()>& done);
    // True, with the reason kept, once the application has signed out.
    bool endedBySignOut();
    int fail(const QString& what);

    Options m_options;
    std::function<void(const QString&)> m_print;
    // Dialogs are answered like a closed box; an alert is how the application says a reply failed.
    PrintingDialogPresenter m_dialogs;
    SignOutWatch m_signOut;
    PendingReplies m_replies;
    qint64 m_deadline = 0;
    bool m_timedOut = false;
    QString m_why; // of the last wait that ended short
    ProjectMainWindowController* m_window = nullptr;   // owned: deleted at the end
    MainEditorDesignViewController* m_canvas = nullptr; // not owned: lives in the window
    QStringList m_menuTitles;                           // of the menu the last action opened
};
