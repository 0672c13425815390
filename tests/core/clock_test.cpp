#include "framework/core/clock.h"

#include <gtest/gtest.h>

using namespace fw::core;

namespace {
class ClockSeam : public ::testing::Test {
protected:
    void TearDown() override
    {
        setClockForTesting({});
        setRandomForTesting({});
    }
};
} // namespace

TEST_F(ClockSeam, TheTimeOfDayIsFourCharactersHhmm)
{
    struct Case {
        int hour, minute;
        const char* hhmm;
    } cases[] = {{9, 5, "0905"}, {0, 0, "0000"}, {10, 30, "1030"}, {23, 59, "2359"}};
    for (const Case& c : cases) {
        setClockForTesting([&] { return LocalDateTime{2026, 1, 1, c.hour, c.minute, 0, 0}; });
        EXPECT_EQ(timeHhmm(), c.hhmm);
    }
}

TEST_F(ClockSeam, TodayComesFromTheSameClock)
{
    setClockForTesting([] { return LocalDateTime{2026, 3, 7, 12, 0, 0, 0}; });
    EXPECT_EQ(todayYear(), 2026);
    EXPECT_EQ(todayMonth(), 3);
    EXPECT_EQ(todayDay(), 7);
}

TEST_F(ClockSeam, RandomNumbersStayInTheInclusiveRange)
{
    bool sawLow = false, sawHigh = false;
    for (int i = 0; i < 2000; ++i) {
        const auto n = randomInRange(11, 13);
        ASSERT_GE(n, 11);
        ASSERT_LE(n, 13);
        sawLow |= n == 11;
        sawHigh |= n == 13;
    }
    EXPECT_TRUE(sawLow && sawHigh);
    setRandomForTesting([](std::int32_t low, std::int32_t) { return low; });
    EXPECT_EQ(randomInRange(1111111111, 1410065407), 1111111111);
}
