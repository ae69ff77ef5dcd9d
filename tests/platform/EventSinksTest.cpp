#include "platform/EventSinks.h"

#include "platform/JsonText.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>

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
        EXPECT_EQ(readFileBytes(sink->logFilePath()),
                  QByteArray("{\"event\":\"Upload\",\"count\":3,\"scale\":1.5}\n{\"event\":\"Line\\nbreak\"}\n"));
    }
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
