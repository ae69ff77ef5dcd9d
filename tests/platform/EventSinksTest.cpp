#include "platform/EventSinks.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>

#include <cmath>

using platform::EventSink;

TEST(EventSinks, EachEventIsOneCompactJsonLineAndAnUnwritableOneStillReachesTheRecorder)
{
    for (EventSink* sink : {&EventSink::analytics(), &EventSink::crashReports()}) {
        QFile::remove(sink->logFilePath());
        std::vector<boost::json::object> recorded;
        sink->setRecorder([&](const boost::json::object& e) { recorded.push_back(e); });
        const boost::json::object first{{"event", "Upload"}, {"count", 3}, {"scale", 1.5}};
        const boost::json::object unwritable{{"bad", std::nan("")}};
        const boost::json::object second{{"event", "Line\nbreak"}};
        for (const auto* e : {&first, &unwritable, &second}) sink->record(*e);
        sink->setRecorder(nullptr);
        ASSERT_EQ(recorded.size(), 3u);
        EXPECT_EQ(recorded[0], first);
        EXPECT_EQ(recorded[2], second);
        EXPECT_EQ(readFileBytes(sink->logFilePath()),
                  QByteArray("{\"event\":\"Upload\",\"count\":3,\"scale\":1.5}\n{\"event\":\"Line\\nbreak\"}\n"));
    }
}
