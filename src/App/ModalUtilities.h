#pragma once

#include "Base/BaseModel.h"

#include <QString>
#include <QStringList>

#include <optional>

// The information, error and confirmation dialogs every screen uses (through platform::Dialogs).
class ModalUtilities {
public:
    // A warning alert with one button per title; answers 1000 for the first button, 1001 for the
    // second, ... Closing it with Escape or the close button answers the last button.
    static int confirmationDialog(const QString& question, const QStringList& buttonTitles, const QString& text);
    // errorMsg / errorInformativeText with "common.ok"; without a model the text of "common.errorOccured".
    static void showErrorDialog(const std::optional<ErrorModel>& errorModel);
    // An informational alert with "common.ok".
    static void showInfoDialog(const QString& title, const QString& text);
};
