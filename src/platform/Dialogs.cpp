#include "platform/Dialogs.h"

#include "platform/DebugLog.h"

namespace platform {
namespace {

// Without a user interface nobody can answer; the last button is what closing the box answers.
class LoggingPresenter final : public DialogPresenter {
public:
    int confirmation(const QString& question, const QStringList& buttonTitles, const QString& informativeText) override
    {
        debugPrint(QStringLiteral("[dialog] confirmation: ") + question + QStringLiteral(" | ") + informativeText +
                   QStringLiteral(" | buttons: ") + buttonTitles.join(QStringLiteral(", ")));
        return buttonTitles.isEmpty() ? kAlertFirstButtonReturn
                                      : kAlertFirstButtonReturn + static_cast<int>(buttonTitles.size()) - 1;
    }

    void alert(const QString& message, const QString& informativeText, const QString& buttonTitle) override
    {
        debugPrint(QStringLiteral("[dialog] alert: ") + message + QStringLiteral(" | ") + informativeText +
                   QStringLiteral(" | button: ") + buttonTitle);
    }
};

LoggingPresenter& defaultPresenter()
{
    static LoggingPresenter p;
    return p;
}

DialogPresenter*& installed()
{
    static DialogPresenter* p = nullptr; // not owned
    return p;
}

} // namespace

DialogPresenter& Dialogs::presenter()
{
    DialogPresenter* p = installed();
    return p ? *p : defaultPresenter();
}

void Dialogs::setPresenter(DialogPresenter* presenter)
{
    installed() = presenter;
}

} // namespace platform
