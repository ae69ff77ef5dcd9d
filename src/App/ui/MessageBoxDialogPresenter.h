#pragma once

#include "platform/Dialogs.h"

#include <QString>
#include <QStringList>

class QMessageBox;
class QWidget;

// Shows the application's dialogs as QMessageBox. A box closed with Escape or the window's
// close button answers its last button, which is always the "cancel" side of a question.
// Texts are capped (kMaxTextChars). An informative text taller than a part of the screen keeps its
// first line in the box and shows the rest in a details area that scrolls, so the box and its
// buttons stay on the screen.
class MessageBoxDialogPresenter : public platform::DialogPresenter {
public:
    static constexpr qsizetype kMaxTextChars = 64000;
    // The informative text may take this share of the screen's height before its lines after the
    // first move into the details area, which is no taller than that either.
    static constexpr double kMaxInformativeShare = 0.5;

    int confirmation(const QString& question, const QStringList& buttonTitles, const QString& informativeText) override;
    void alert(const QString& message, const QString& informativeText, const QString& buttonTitle) override;

    // The box behind confirmation(), not yet shown, and the answer it gives once closed. Split
    // out so the answer can be checked without running a modal loop. The caller owns the box
    // (and so does `parent`, when given).
    static QMessageBox* makeConfirmationBox(QWidget* parent, const QString& question, const QStringList& buttonTitles,
                                            const QString& informativeText);
    static int responseOf(const QMessageBox& box);
};
