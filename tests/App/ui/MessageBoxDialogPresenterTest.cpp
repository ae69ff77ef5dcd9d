#include "App/ui/MessageBoxDialogPresenter.h"

#include "platform/Dialogs.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>

#include <memory>
#include <ostream>

namespace {

// How the box is closed: a click on the button at that position, or another way.
enum Close { escape = -1, closeButton = -2, notAnswered = -3 };

struct CloseCase {
    const char* name;
    QStringList buttons;
    int how; // a button position or a Close
    int expected;
};
void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

class ConfirmationAnswer : public ::testing::TestWithParam<CloseCase> {};

TEST_P(ConfirmationAnswer, MapsHowTheBoxWasClosedToAResponse)
{
    const CloseCase& c = GetParam();
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

const QStringList kContinueCancel{QStringLiteral("Continue"), QStringLiteral("Cancel")};
const QStringList kThree{QStringLiteral("Save"), QStringLiteral("Discard"), QStringLiteral("Cancel")};

INSTANTIATE_TEST_SUITE_P(
    Table, ConfirmationAnswer,
    ::testing::Values(
        CloseCase{"firstButton", kContinueCancel, 0, platform::kAlertFirstButtonReturn},
        CloseCase{"secondButton", kContinueCancel, 1, platform::kAlertSecondButtonReturn},
        CloseCase{"thirdOfThree", kThree, 2, platform::kAlertFirstButtonReturn + 2},
        CloseCase{"secondOfThree", kThree, 1, platform::kAlertSecondButtonReturn},
        // Escape or the close button must never read as "go on".
        CloseCase{"escapeIsCancelNotContinue", kContinueCancel, escape, platform::kAlertSecondButtonReturn},
        CloseCase{"closeButtonIsCancelNotContinue", kContinueCancel, closeButton, platform::kAlertSecondButtonReturn},
        CloseCase{"escapeOfThreeIsLast", kThree, escape, platform::kAlertFirstButtonReturn + 2},
        CloseCase{"unansweredIsLast", kContinueCancel, notAnswered, platform::kAlertSecondButtonReturn}),
    ::testing::PrintToStringParamName());

} // namespace
