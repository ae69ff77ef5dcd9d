#pragma once

#include "platform/Dialogs.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

namespace platform {

// A dialog presenter for tests: answers confirmations from a queue and records every dialog
// shown. With the queue empty it answers like a closed box (the last button).
// It installs itself when made; destroying it restores the default presenter when it is still
// the installed one, so a test never leaves a dangling presenter behind.
class ScriptedDialogPresenter final : public DialogPresenter {
public:
    enum class Kind { Confirmation, Alert };

    struct ShownDialog {
        Kind kind = Kind::Alert;
        QString text;            // the question of a confirmation, the message of an alert
        QString informativeText;
        QStringList buttons;
        int answer = 0;          // what the dialog answered (alerts: kAlertFirstButtonReturn)
    };

    ScriptedDialogPresenter();
    ~ScriptedDialogPresenter() override;
    ScriptedDialogPresenter(const ScriptedDialogPresenter&) = delete;
    ScriptedDialogPresenter& operator=(const ScriptedDialogPresenter&) = delete;

    // Queues a raw answer (kAlertFirstButtonReturn + index) for the next confirmation.
    void queueAnswer(int response);
    // Queues "press the button titled `title`" for the next confirmation; a title the dialog
    // does not have answers the last button and is reported by unmatchedButtons().
    void queueButton(const QString& title);

    const std::vector<ShownDialog>& shown() const { return m_shown; }
    std::size_t pendingAnswers() const { return m_answers.size(); }
    const QStringList& unmatchedButtons() const { return m_unmatched; }
    void clear();

    int confirmation(const QString& question, const QStringList& buttonTitles, const QString& informativeText) override;
    void alert(const QString& message, const QString& informativeText, const QString& buttonTitle) override;

private:
    struct Answer {
        int response = 0;
        QString title; // when not empty, the answer is looked up by title
    };
    std::deque<Answer> m_answers;
    std::vector<ShownDialog> m_shown;
    QStringList m_unmatched;
};

} // namespace platform
