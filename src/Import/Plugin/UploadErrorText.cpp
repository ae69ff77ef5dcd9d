#include "Import/Plugin/UploadErrorText.h"

#include "platform/Localization.h"

std::string UploadErrorText::serviceMessage(const ErrorModel& error)
{
    if (error.errorId == ErrorModel::kNoConnection) return text("common.noInternetConn.description");
    if (!error.errorMsg.empty()) return error.errorMsg;
    if (!error.errorInformativeText.empty()) return error.errorInformativeText;
    return text("common.errorOccured");
}

std::string UploadErrorText::text(const char* key, const QStringList& arguments)
{
    const QString localized = arguments.isEmpty() ? platform::localized(key) : platform::localizedFormat(key, arguments);
    return localized.toStdString();
}
