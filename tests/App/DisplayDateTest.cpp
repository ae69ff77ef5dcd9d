#include "App/DisplayDate.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <string>

namespace {

struct DateCase {
    const char* text;
    qint64 utcMillis; // -1: not a date
};

class DisplayDateTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(DisplayDateTest, ReadsTheServiceFormsAndShowsThemInLocalTime)
{
    const QDateTime parsed = DisplayDate::parse(GetParam().text);
    if (GetParam().utcMillis < 0) {
        EXPECT_FALSE(parsed.isValid());
        EXPECT_EQ(DisplayDate::text(GetParam().text), QString::fromUtf8(GetParam().text));
        return;
    }
    ASSERT_TRUE(parsed.isValid());
    EXPECT_EQ(parsed.toMSecsSinceEpoch(), GetParam().utcMillis);
    EXPECT_EQ(DisplayDate::text(GetParam().text), QLocale().toString(parsed.toLocalTime(), QLocale::ShortFormat));
}

INSTANTIATE_TEST_SUITE_P(Table, DisplayDateTest,
                         ::testing::Values(DateCase{"2024-03-01T10:00:00Z", 1709287200000},
                                           DateCase{"2024-03-01T12:00:00+02:00", 1709287200000},
                                           DateCase{"2024-03-01T10:00:00.250Z", 1709287200250},
                                           DateCase{"1709287200000", 1709287200000},
                                           DateCase{"1709287200", 1709287200000},
                                           DateCase{"", -1}, DateCase{"yesterday", -1}, DateCase{"12abc", -1}));

} // namespace
