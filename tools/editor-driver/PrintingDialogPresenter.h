#pragma once

#include "platform/ScriptedDialogPresenter.h"

#include <QString>

#include <functional>

// Answers the application's dialogs without showing them (like a closed box), keeps each one for
// the driver to look at, and prints each as it comes, as one line "[dialog] TITLE: TEXT" (TITLE the
// question or message, TEXT the informative text; ": TEXT" is left out when there is none), so a
// headless run tells how many dialogs the user would have seen. Installs itself while alive.
class PrintingDialogPresenter final : public platform::DialogPresenter {
public:
    explicit PrintingDialogPresenter(std::function<void(const QString& line)> print);
    ~PrintingDialogPresenter() override;
    PrintingDialogPresenter(const PrintingDialogPresenter&) = delete;
    PrintingDialogPresenter& operator=(const PrintingDialogPresenter&) = delete;

    // Every dialog shown so far, in order, with what it answered.
    const platform::ScriptedDialogPresenter& record() const { return m_record; }

    int confirmation(const QString& question, const QStringList& buttonTitles, const QString& informativeText) override;
    void alert(const QString& message, const QString& informativeText, const QString& buttonTitle) override;

    // The line printed for a dialog; line breaks in either text become " / ".
    static QString line(const QString& title, const QString& text);

private:
    platform::ScriptedDialogPresenter m_record;
    std::function<void(const QString&)> m_print;
};
