#include "platform/DebugLog.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <QtGlobal>

namespace {
QStringList* g_messages = nullptr; // not owned

void collect(QtMsgType, const QMessageLogContext& context, const QString& message)
{
    if (g_messages && context.category && QByteArray(context.category) == "quorvex.debug") g_messages->append(message);
}
} // namespace

TEST(DebugLog, LinesGoToTheCategoryAndTheCaptureUnchanged)
{
    QStringList logged;
    QStringList captured;
    g_messages = &logged;
    const auto previous = qInstallMessageHandler(collect);
    platform::setDebugCapture([&](const QString& l) { captured.append(l); });
    platform::debugPrint(QStringLiteral("Ooops! Something went wrong on copying: \"x\""));
    platform::debugPrint(std::string_view("utf-8 \xC3\xA9"));
    platform::setDebugCapture(nullptr);
    platform::debugPrint(QStringLiteral("after"));
    qInstallMessageHandler(previous);
    g_messages = nullptr;
    const QStringList expected{QStringLiteral("Ooops! Something went wrong on copying: \"x\""), QStringLiteral("utf-8 é")};
    EXPECT_EQ(captured, expected);
    EXPECT_EQ(logged, expected + QStringList{QStringLiteral("after")});
}
