#include "App/ui/MessageBoxDialogPresenter.h"

#include "platform/Dialogs.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>

#include <memory>

namespace {

enum class Close { clickFirst, clickSecond, clickThird, escape, closeButton, notAnswered };

struct CloseCase {
    const char* name;
    QStringList buttons;
    Close how;
    int expected;
};

QAbstractButton* buttonTitled(QMessageBox& box, const QString& title)
{
    for (QAbstractButton* b : box.buttons())
        if (b->text() == title) return b;
    return nullptr;
}

class ConfirmationAnswer : public ::testing::TestWithParam<CloseCase> {};

TEST_P(ConfirmationAnswer, MapsHowTheBoxWasClosedToAResponse)
{
    const CloseCase& c = GetParam();
    std::unique_ptr<QMessageBox> box(
        MessageBoxDialogPresenter::makeConfirmationBox(nullptr, QStringLiteral("Go on?"), c.buttons, QStringLiteral("info")));
    box->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));

    switch (c.how) {
    case Close::clickFirst: buttonTitled(*box, c.buttons.value(0))->click(); break;
    case Close::clickSecond: buttonTitled(*box, c.buttons.value(1))->click(); break;
    case Close::clickThird: buttonTitled(*box, c.buttons.value(2))->click(); break;
    case Close::escape: QTest::keyClick(box.get(), Qt::Key_Escape); break;
    case Close::closeButton: box->close(); break;
    case Close::notAnswered: break;
    }
    EXPECT_EQ(MessageBoxDialogPresenter::responseOf(*box), c.expected);
}

const QStringList kContinueCancel{QStringLiteral("Continue"), QStringLiteral("Cancel")};
const QStringList kThree{QStringLiteral("Save"), QStringLiteral("Discard"), QStringLiteral("Cancel")};

INSTANTIATE_TEST_SUITE_P(
    Table, ConfirmationAnswer,
    ::testing::Values(
        CloseCase{"firstButton", kContinueCancel, Close::clickFirst, platform::kAlertFirstButtonReturn},
        CloseCase{"secondButton", kContinueCancel, Close::clickSecond, platform::kAlertSecondButtonReturn},
        CloseCase{"thirdOfThree", kThree, Close::clickThird, platform::kAlertFirstButtonReturn + 2},
        CloseCase{"secondOfThree", kThree, Close::clickSecond, platform::kAlertSecondButtonReturn},
        // Escape or the close button must never read as "go on".
        CloseCase{"escapeIsCancelNotContinue", kContinueCancel, Close::escape, platform::kAlertSecondButtonReturn},
        CloseCase{"closeButtonIsCancelNotContinue", kContinueCancel, Close::closeButton,
                  platform::kAlertSecondButtonReturn},
        CloseCase{"escapeOfThreeIsLast", kThree, Close::escape, platform::kAlertFirstButtonReturn + 2},
        CloseCase{"unansweredIsLast", kContinueCancel, Close::notAnswered, platform::kAlertSecondButtonReturn}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
