#pragma once

#include "Base/BaseModel.h"

#include <QStringList>

#include <string>

// The texts with which an upload run tells the user what went wrong.
class UploadErrorText {
public:
    UploadErrorText() = delete;

    // The service's own message for a failed call, or a general one when it sent none.
    static std::string serviceMessage(const ErrorModel& error);

    // A localised text, with "%@" arguments.
    static std::string text(const char* key, const QStringList& arguments = {});
};
