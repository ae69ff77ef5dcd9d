#include "App/ui/MessageBoxDialogPresenter.h"

#include "Import/Plugin/ExportHelper.h"
#include "platform/Dialogs.h"
#include "platform/Localization.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QPlainTextEdit>
#include <QTest>

#include <memory>
#include <string>
#include <utility>
#include <vector>

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

// The no-exportables question, as the upload asks it, for `count` artboards.
QString noExportablesText(int count)
{
    std::vector<std::pair<std::string, int>> artboards;
    for (int i = 0; i < count; ++i) artboards.emplace_back("Artboard " + std::to_string(i), i % 3);
    return platform::localizedFormat("exportHelper.noExportable.artboard.text",
                                     {ExportHelper::createSelectedArtboardsInfoString(artboards)});
}

// The no-exportables question with 35 artboards was 674 pixels tall, and with a few hundred its
// buttons left the screen; when its whole text scrolled, the scroll bar cut the end off the lines
// of its sentence ("...marked exportable i"). A long informative text keeps its first line whole in
// the box and shows the rest in a details area that scrolls; a text of megabytes is shortened.
TEST(ConfirmationBox, LongInformativeTextsKeepTheirFirstLineAndScrollTheRestInABoxThatFitsTheScreen)
{
    const QStringList buttons{QStringLiteral("Continue"), QStringLiteral("Cancel")};
    const QString sentence = noExportablesText(0).section(QLatin1Char('\n'), 0, 0);
    const auto list = [](int count) { return noExportablesText(count).section(QLatin1Char('\n'), 2); };
    const QString megabytes = QStringLiteral("word ").repeated(2'000'000);
    constexpr qsizetype kMax = MessageBoxDialogPresenter::kMaxTextChars;
    const struct {
        const char* name;
        QString informative;
        QString shownInTheBox;
        QString listedInDetails; // empty: no details area
    } cases[] = {
        {"three artboards", noExportablesText(3), noExportablesText(3), QString()},
        {"35 artboards", noExportablesText(35), sentence, list(35)},
        {"400 artboards", noExportablesText(400), sentence, list(400)},
        {"ten megabytes", megabytes, QString(), megabytes.left(kMax)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<QMessageBox> box(MessageBoxDialogPresenter::makeConfirmationBox(
            nullptr, platform::localized("exportHelper.noExportable.artboard.questionText"), buttons, c.informative));
        box->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
        EXPECT_LE(box->frameGeometry().height(), box->screen()->availableGeometry().height());
        const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"));
        ASSERT_TRUE(label);
        EXPECT_EQ(label->text().toStdString(), c.shownInTheBox.toStdString());
        if (!c.shownInTheBox.isEmpty()) {
            // the whole sentence shows: nothing of the label is clipped, and its lines fit its height
            EXPECT_TRUE(label->isVisible());
            EXPECT_EQ(label->visibleRegion().boundingRect(), label->rect());
            EXPECT_LE(label->heightForWidth(label->width()), label->height());
        }
        const auto* details = box->findChild<QPlainTextEdit*>(QStringLiteral("informativeDetails"));
        EXPECT_EQ(details && details->isVisible(), !c.listedInDetails.isEmpty());
        const QString listed = details ? details->toPlainText() : QString();
        EXPECT_TRUE(listed.startsWith(c.listedInDetails));
        // only a shortened text goes on, with the mark that says so
        EXPECT_LE(listed.size(), c.listedInDetails.size() + (c.informative.size() > kMax ? 40 : 0));
        for (QAbstractButton* button : box->buttons()) {
            EXPECT_TRUE(button->isVisible());
            EXPECT_TRUE(box->rect().contains(QRect(button->mapTo(box.get(), QPoint(0, 0)), button->size())));
        }
    }
}

} // namespace
