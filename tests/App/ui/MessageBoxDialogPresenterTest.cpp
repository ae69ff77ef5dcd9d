#include "App/ui/MessageBoxDialogPresenter.h"

#include "platform/Dialogs.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>

#include <memory>

namespace {

// How the box is closed: a click on the button at that position, or another way.
enum Close { escape = -1, closeButton = -2, notAnswered = -3 };

TEST(ConfirmationAnswer, MapsHowTheBoxWasClosedToAResponse)
{
    const QStringList continueCancel{QStringLiteral("Continue"), QStringLiteral("Cancel")};
    const QStringList three{QStringLiteral("Save"), QStringLiteral("Discard"), QStringLiteral("Cancel")};
    const struct {
        const char* name;
        QStringList buttons;
        int how; // a button position or a Close
        int expected;
    } cases[] = {
        {"first button", continueCancel, 0, platform::kAlertFirstButtonReturn},
        {"second button", continueCancel, 1, platform::kAlertSecondButtonReturn},
        {"third of three", three, 2, platform::kAlertFirstButtonReturn + 2},
        // Escape or the close button must never read as "go on"
        {"escape is cancel, not continue", continueCancel, escape, platform::kAlertSecondButtonReturn},
        {"close button is cancel, not continue", continueCancel, closeButton, platform::kAlertSecondButtonReturn},
        {"escape of three is the last", three, escape, platform::kAlertFirstButtonReturn + 2},
        {"unanswered is the last", continueCancel, notAnswered, platform::kAlertSecondButtonReturn},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<QMessageBox> box(
            MessageBoxDialogPresenter::makeConfirmationBox(nullptr, QStringLiteral("Go on?"), c.buttons, QStringLiteral("info")));
        box->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
        if (c.how == escape) {
            QTest::keyClick(box.get(), Qt::Key_Escape);
        } else if (c.how == closeButton) {
            box->close();
        } else if (c.how >= 0) {
            // by title: the box may lay its buttons out in another order
            for (QAbstractButton* b : box->buttons())
                if (b->text() == c.buttons.value(c.how)) b->click();
        }
        EXPECT_EQ(MessageBoxDialogPresenter::responseOf(*box), c.expected);
    }
}

} // namespace
