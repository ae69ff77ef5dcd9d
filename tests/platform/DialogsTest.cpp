#include "platform/Dialogs.h"

#include "platform/DebugLog.h"
#include "platform/ScriptedDialogPresenter.h"

#include <gtest/gtest.h>

using platform::Dialogs;
using platform::kAlertFirstButtonReturn;
using platform::ScriptedDialogPresenter;

TEST(Dialogs, DefaultPresenterLogsAndAnswersTheLastButton)
{
    QStringList lines;
    platform::setDebugCapture([&](const QString& l) { lines.append(l); });
    const std::pair<QStringList, int> cases[] = {{{QStringLiteral("Delete"), QStringLiteral("Cancel")}, kAlertFirstButtonReturn + 1},
                                                 {{QStringLiteral("OK")}, kAlertFirstButtonReturn},
                                                 {{}, kAlertFirstButtonReturn},
                                                 {{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}, kAlertFirstButtonReturn + 2}};
    for (const auto& [buttons, expected] : cases) {
        EXPECT_EQ(Dialogs::presenter().confirmation(QStringLiteral("Delete project?"), buttons, QStringLiteral("Cannot be undone")), expected);
    }
    Dialogs::presenter().alert(QStringLiteral("Failed"), QStringLiteral("Try again"), QStringLiteral("OK"));
    platform::setDebugCapture(nullptr);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[0].contains(QStringLiteral("Delete project?")));
    EXPECT_TRUE(lines[4].contains(QStringLiteral("Failed")));
}

TEST(Dialogs, ScriptedPresenterAnswersFromItsQueueAndRecords)
{
    ScriptedDialogPresenter script;
    EXPECT_EQ(&Dialogs::presenter(), &script);
    script.queueButton(QStringLiteral("Delete"));
    script.queueAnswer(kAlertFirstButtonReturn);
    script.queueButton(QStringLiteral("Nope"));
    const QStringList buttons{QStringLiteral("Cancel"), QStringLiteral("Delete")};
    EXPECT_EQ(Dialogs::presenter().confirmation(QStringLiteral("q1"), buttons, QStringLiteral("i1")), kAlertFirstButtonReturn + 1);
    Dialogs::presenter().alert(QStringLiteral("m"), QStringLiteral("i"), QStringLiteral("OK"));
    EXPECT_EQ(Dialogs::presenter().confirmation(QStringLiteral("q2"), buttons, {}), kAlertFirstButtonReturn);
    EXPECT_EQ(Dialogs::presenter().confirmation(QStringLiteral("q3"), buttons, {}), kAlertFirstButtonReturn + 1);
    EXPECT_EQ(Dialogs::presenter().confirmation(QStringLiteral("q4"), buttons, {}), kAlertFirstButtonReturn + 1) << "empty queue: last button";
    EXPECT_EQ(script.unmatchedButtons(), QStringList{QStringLiteral("Nope")});
    ASSERT_EQ(script.shown().size(), 5u);
    EXPECT_EQ(script.shown()[0].kind, ScriptedDialogPresenter::Kind::Confirmation);
    EXPECT_EQ(script.shown()[0].text, QStringLiteral("q1"));
    EXPECT_EQ(script.shown()[0].informativeText, QStringLiteral("i1"));
    EXPECT_EQ(script.shown()[0].buttons, buttons);
    EXPECT_EQ(script.shown()[1].kind, ScriptedDialogPresenter::Kind::Alert);
    EXPECT_EQ(script.shown()[1].buttons, QStringList{QStringLiteral("OK")});
}

TEST(Dialogs, DestroyedScriptedPresenterIsUninstalled)
{
    {
        ScriptedDialogPresenter script;
    }
    // The default presenter answers again (a dangling presenter would crash under the sanitizers).
    EXPECT_EQ(Dialogs::presenter().confirmation(QStringLiteral("q"), {QStringLiteral("A"), QStringLiteral("B")}, {}),
              kAlertFirstButtonReturn + 1);
}
