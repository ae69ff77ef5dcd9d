#pragma once

#include "platform/ScriptedDialogPresenter.h"

#include <QString>

#include <cstddef>
#include <functional>

// Answers the application's dialogs without showing them, and prints each one as a line
// "dialog TEXT | INFORMATIVE [-> BUTTON]", so a headless run still tells what the user would have
// seen. Every question is answered with the button of one title (when it has it); questions
// without that button, and alerts, are answered like a closed box. Installs itself while alive.
class EchoingDialogPresenter final : public platform::DialogPresenter {
public:
    explicit EchoingDialogPresenter(std::function<void(const QString& line)> print);
    ~EchoingDialogPresenter() override;
    EchoingDialogPresenter(const EchoingDialogPresenter&) = delete;
    EchoingDialogPresenter& operator=(const EchoingDialogPresenter&) = delete;

    // The title of the button that answers every question; empty: none is pressed.
    void setAnswerTitle(const QString& title) { m_answerTitle = title; }
    std::size_t alertCount() const { return m_alerts; }

    int confirmation(const QString& question, const QStringList& buttonTitles, const QString& informativeText) override;
    void alert(const QString& message, const QString& informativeText, const QString& buttonTitle) override;

    // One line of text: line breaks become " / "; nothing else changes.
    static QString oneLine(const QString& text);

private:
    platform::ScriptedDialogPresenter m_script;
    std::function<void(const QString&)> m_print;
    QString m_answerTitle;
    std::size_t m_alerts = 0;
};
