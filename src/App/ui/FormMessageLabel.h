#pragma once

#include "Base/BaseModel.h"

#include <QLabel>

// The note under a form that says why it was not sent or what the service answered. Hidden
// while there is nothing to say.
class FormMessageLabel : public QLabel {
    Q_OBJECT

public:
    explicit FormMessageLabel(QWidget* parent);

    // Shows `message`; "" hides the label.
    void showMessage(const QString& message);
    // A failed service call in the user's words: the no-connection text, the service's own
    // message, or else the text of `fallbackKey`.
    void showError(const ErrorModel& error, const char* fallbackKey);
};
