#include "App/ModalUtilities.h"

#include "platform/Dialogs.h"
#include "platform/Localization.h"

int ModalUtilities::confirmationDialog(const QString& question, const QStringList& buttonTitles, const QString& text)
{
    return platform::Dialogs::presenter().confirmation(question, buttonTitles, text);
}

void ModalUtilities::showErrorDialog(const std::optional<ErrorModel>& errorModel)
{
    const QString ok = platform::localized("common.ok");
    // a model without a message would show an empty box: the generic text stands in for it
    if (!errorModel || errorModel->errorMsg.empty()) {
        platform::Dialogs::presenter().alert(platform::localized("common.errorOccured"), QString(), ok);
        return;
    }
    platform::Dialogs::presenter().alert(QString::fromStdString(errorModel->errorMsg),
                                         QString::fromStdString(errorModel->errorInformativeText), ok);
}

void ModalUtilities::showInfoDialog(const QString& title, const QString& text)
{
    platform::Dialogs::presenter().alert(title, text, platform::localized("common.ok"));
}
