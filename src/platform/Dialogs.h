#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// Responses of a modal alert: the first button answers 1000, the second 1001, and so on.
constexpr int kAlertFirstButtonReturn = 1000;
constexpr int kAlertSecondButtonReturn = 1001;

// Modal dialogs behind an interface: the application installs one that shows QMessageBox,
// tests install one that answers from a script. Closing a box with Escape or the window's
// close button answers its last button.
class DialogPresenter {
public:
    virtual ~DialogPresenter() = default;
    // A warning alert with a question, an informative text and one button per title, in order.
    virtual int confirmation(const QString& question, const QStringList& buttonTitles, const QString& informativeText) = 0;
    // A warning alert with one button; returns when it is closed.
    virtual void alert(const QString& message, const QString& informativeText, const QString& buttonTitle) = 0;
};

class Dialogs {
public:
    // The installed presenter. Without one, dialogs are logged through debugPrint and answer
    // their last button (the first when there is none). ScriptedDialogPresenter is the one for tests.
    static DialogPresenter& presenter();
    static void setPresenter(DialogPresenter* presenter); // not owned; nullptr restores the default
};

} // namespace platform
