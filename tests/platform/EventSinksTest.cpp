#include "platform/EventSinks.h"

#include "platform/JsonText.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QStandardPaths>

#include <cmath>

using platform::EventSink;

TEST(EventSinks, EachEventIsOneCompactJsonLineAndReachesTheRecorder)
{
    for (EventSink* sink : {&EventSink::analytics(), &EventSink::crashReports()}) {
        QFile::remove(sink->logFilePath());
        std::vector<boost::json::object> recorded;
        sink->setRecorder([&](const boost::json::object& e) { recorded.push_back(e); });
        const boost::json::object first{{"event", "Upload"}, {"count", 3}, {"scale", 1.5}};
        const boost::json::object second{{"event", "Line\nbreak"}};
        sink->record(first);
        sink->record(second);
        sink->setRecorder(nullptr);
        EXPECT_EQ(recorded, (std::vector<boost::json::object>{first, second}));
        const QList<QByteArray> lines = readFileBytes(sink->logFilePath()).split('\n');
        ASSERT_EQ(lines.size(), 3); // two lines and the empty rest after the last newline
        EXPECT_EQ(lines[0], QByteArray("{\"event\":\"Upload\",\"count\":3,\"scale\":1.5}"));
        EXPECT_EQ(lines[1], QByteArray("{\"event\":\"Line\\nbreak\"}"));
        EXPECT_TRUE(lines[2].isEmpty());
    }
    EXPECT_TRUE(EventSink::analytics().logFilePath().endsWith(QStringLiteral("/analytics.log")));
    EXPECT_TRUE(EventSink::crashReports().logFilePath().endsWith(QStringLiteral("/crash-events.log")));
    EXPECT_TRUE(EventSink::analytics().logFilePath().startsWith(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)));
}

TEST(EventSinks, UnwritableEventStillReachesTheRecorder)
{
    auto& sink = EventSink::analytics();
    QFile::remove(sink.logFilePath());
    int recorded = 0;
    sink.setRecorder([&](const boost::json::object&) { ++recorded; });
    sink.record(boost::json::object{{"bad", std::nan("")}});
    sink.setRecorder(nullptr);
    EXPECT_EQ(recorded, 1);
    EXPECT_TRUE(readFileBytes(sink.logFilePath()).isEmpty());
}
