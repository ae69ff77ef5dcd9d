#include "App/ui/MessageBoxDialogPresenter.h"

#include "platform/Dialogs.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
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

// The no-exportables question with 35 artboards was 674 pixels tall, and with a few hundred its
// buttons left the screen: a long informative text scrolls inside a box that fits the screen, and
// a text of megabytes is shortened.
TEST(ConfirmationBox, LongInformativeTextsScrollInsideABoxThatFitsTheScreen)
{
    const QStringList buttons{QStringLiteral("Continue"), QStringLiteral("Cancel")};
    auto artboards = [](int count) {
        QString text = QStringLiteral("Continue without them?\n");
        for (int i = 0; i < count; ++i) text += QStringLiteral("\n• Artboard %1: 0 exportable images").arg(i);
        return text;
    };
    const struct {
        const char* name;
        QString informative;
        bool scrolls;
        qsizetype shownChars;
    } cases[] = {
        {"three artboards", artboards(3), false, artboards(3).size()},
        {"35 artboards", artboards(35), true, artboards(35).size()},
        {"400 artboards", artboards(400), true, artboards(400).size()},
        {"ten megabytes", QStringLiteral("word ").repeated(2'000'000), true, MessageBoxDialogPresenter::kMaxTextChars},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<QMessageBox> box(
            MessageBoxDialogPresenter::makeConfirmationBox(nullptr, QStringLiteral("Some artboards have no images"), buttons, c.informative));
        box->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
        const QRect screen = box->screen()->availableGeometry();
        EXPECT_LE(box->frameGeometry().height(), screen.height());
        EXPECT_EQ(box->findChild<QScrollArea*>(QStringLiteral("informativeTextScroll")) != nullptr, c.scrolls);
        const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"));
        ASSERT_TRUE(label);
        EXPECT_TRUE(label->text().startsWith(c.informative.left(c.shownChars)));
        EXPECT_LE(label->text().size(), c.shownChars + 40);
        for (QAbstractButton* button : box->buttons()) {
            EXPECT_TRUE(button->isVisible());
            EXPECT_TRUE(box->rect().contains(QRect(button->mapTo(box.get(), QPoint(0, 0)), button->size())));
        }
    }
}

} // namespace
