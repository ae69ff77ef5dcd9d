#include "App/ui/FormMessageLabel.h"

#include "platform/Localization.h"

FormMessageLabel::FormMessageLabel(QWidget* parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("messageLabel"));
    setWordWrap(true);
    setStyleSheet(QStringLiteral("color: #c0392b;"));
    hide();
}

void FormMessageLabel::showMessage(const QString& message)
{
    setText(message);
    setVisible(!message.isEmpty());
}

void FormMessageLabel::showError(const ErrorModel& error, const char* fallbackKey)
{
    if (error.errorId == ErrorModel::kNoConnection) showMessage(platform::localized("common.noInternetConn.description"));
    else if (!error.errorMsg.empty()) showMessage(QString::fromStdString(error.errorMsg));
    else showMessage(platform::localized(fallbackKey));
}
