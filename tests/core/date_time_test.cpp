#include "framework/core/date_time.h"

#include <gtest/gtest.h>

#include "framework/core/clock.h"

using namespace fw::core;

namespace {

struct DateRow {
    const char* name;
    int year, month, day;
    std::int32_t serial;
};

void PrintTo(const DateRow& row, std::ostream* os) { *os << row.name; }

class DateSerial : public testing::TestWithParam<DateRow> {};

TEST_P(DateSerial, ConvertsBothWays)
{
    const DateRow& row = GetParam();
    EXPECT_EQ(dateSerial(row.year, row.month, row.day), row.serial);
    EXPECT_EQ(calendarDate(row.serial), (CalendarDate{row.year, row.month, row.day}));
}

const DateRow dateRows[] = {
    {"FirstSerial", 1800, 12, 29, 1},
    {"FirstOf1801", 1801, 1, 1, 4},
    {"EndOfFebruary1900NoLeap", 1900, 2, 28, 36221},
    {"FirstOfMarch1900", 1900, 3, 1, 36222},
    {"FirstOf2000", 2000, 1, 1, 72687},
    {"LeapDay2000", 2000, 2, 29, 72746},
    {"Typical", 2026, 12, 10, 82527},
    {"LastSerial", 9999, 12, 31, LastDateSerial},
};

INSTANTIATE_TEST_SUITE_P(Rows, DateSerial, testing::ValuesIn(dateRows),
                         [](const testing::TestParamInfo<DateRow>& info) { return std::string(info.param.name); });

TEST(DateSerial, DatesThatDoNotExistOrLieOutsideTheRangeAreNoDate)
{
    const int bad[][3] = {{1800, 12, 28}, {1800, 1, 1}, {2027, 2, 29}, {1900, 2, 29}, {2026, 4, 31},
                          {2026, 13, 1},  {2026, 0, 1}, {2026, 1, 0},  {10000, 1, 1}};
    for (const auto& d : bad) {
        SCOPED_TRACE(testing::Message() << d[0] << "-" << d[1] << "-" << d[2]);
        EXPECT_EQ(dateSerial(d[0], d[1], d[2]), NoDate);
    }
    for (std::int32_t serial : {NoDate, -1, LastDateSerial + 1}) {
        SCOPED_TRACE(serial);
        EXPECT_FALSE(calendarDate(serial).isValid());
    }
}

TEST(DateSerial, EverySerialOfFourCenturiesRoundTripsAndFollowsTheLastByOneDay)
{
    const std::int32_t from = dateSerial(1999, 1, 1);
    const std::int32_t to = dateSerial(2401, 1, 1);
    CalendarDate previous = calendarDate(from - 1);
    for (std::int32_t s = from; s <= to; ++s) {
        const CalendarDate d = calendarDate(s);
        ASSERT_EQ(dateSerial(d.year, d.month, d.day), s);
        const bool nextDay = d.day == previous.day + 1 && d.month == previous.month;
        const bool nextMonth = d.day == 1 &&
                               (d.month == previous.month + 1 || (d.month == 1 && d.year == previous.year + 1));
        ASSERT_TRUE(nextDay || nextMonth) << d.year << "-" << d.month << "-" << d.day;
        previous = d;
    }
}

struct TimeRow {
    const char* name;
    int hour, minute, second, hundredths;
    std::int32_t value;
};

void PrintTo(const TimeRow& row, std::ostream* os) { *os << row.name; }

class TimeValue : public testing::TestWithParam<TimeRow> {};

TEST_P(TimeValue, ConvertsBothWays)
{
    const TimeRow& row = GetParam();
    EXPECT_EQ(timeValue(row.hour, row.minute, row.second, row.hundredths), row.value);
    const ClockTime t = clockTime(row.value);
    EXPECT_TRUE(t.isValid());
    EXPECT_EQ(t, (ClockTime{row.hour, row.minute, row.second, row.hundredths, true}));
}

// clang-format off
const TimeRow timeRows[] = {
    {"Midnight", 0, 0, 0, 0, 1},
    {"OneHundredth", 0, 0, 0, 1, 2},
    {"OneSecond", 0, 0, 1, 0, 101},
    {"OneMinute", 0, 1, 0, 0, 6001},
    {"HalfPastNoon", 12, 30, 0, 0, 4500001},
    {"Last", 23, 59, 59, 99, LastTimeValue},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Rows, TimeValue, testing::ValuesIn(timeRows),
                         [](const testing::TestParamInfo<TimeRow>& info) { return std::string(info.param.name); });

TEST(TimeValue, PartsOutOfRangeAreNoTime)
{
    const int bad[][4] = {{24, 0, 0, 0}, {-1, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 100}, {0, 0, 0, -1}};
    for (const auto& t : bad) {
        SCOPED_TRACE(testing::Message() << t[0] << ":" << t[1] << ":" << t[2] << "." << t[3]);
        EXPECT_EQ(timeValue(t[0], t[1], t[2], t[3]), NoTime);
    }
    for (std::int32_t value : {NoTime, -1, LastTimeValue + 1}) {
        SCOPED_TRACE(value);
        EXPECT_FALSE(clockTime(value).isValid());
    }
}

TEST(DateTime, TodayAndNowComeFromTheFrameworkClock)
{
    setClockForTesting([] { return LocalDateTime{2026, 12, 10, 8, 25, 30, 50}; });
    EXPECT_EQ(todaySerial(), 82527);
    EXPECT_EQ(nowTimeValue(), timeValue(8, 25, 30, 50));
    setClockForTesting({});
}

} // namespace
