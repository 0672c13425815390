#include "framework/core/date_time.h"

#include "framework/core/clock.h"

namespace fw::core {

namespace {

// Days from 1 March of year 0 in the proleptic Gregorian calendar, counted
// in 400-year eras so that leap years need no table (H. Hinnant's method).
constexpr std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe);
}

constexpr CalendarDate civilFromDays(std::int64_t z)
{
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

constexpr std::int64_t Epoch = daysFromCivil(1800, 12, 28);

constexpr bool isLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

constexpr int daysInMonth(int y, int m)
{
    constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeapYear(y) ? 29 : days[m - 1];
}

static_assert(daysFromCivil(1801, 1, 1) - Epoch == 4);
static_assert(daysFromCivil(9999, 12, 31) - Epoch == LastDateSerial);

constexpr std::int32_t HundredthsPerDay = 24 * 60 * 60 * 100;
static_assert(HundredthsPerDay == LastTimeValue);

} // namespace

std::int32_t dateSerial(int year, int month, int day)
{
    if (year < 1800 || year > 9999 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month))
        return NoDate;
    const std::int64_t serial = daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - Epoch;
    return serial >= 1 ? static_cast<std::int32_t>(serial) : NoDate;
}

CalendarDate calendarDate(std::int32_t serial)
{
    if (serial < 1 || serial > LastDateSerial)
        return {};
    return civilFromDays(Epoch + serial);
}

std::int32_t timeValue(int hour, int minute, int second, int hundredths)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || hundredths < 0 ||
        hundredths > 99)
        return NoTime;
    return ((hour * 60 + minute) * 60 + second) * 100 + hundredths + 1;
}

ClockTime clockTime(std::int32_t value)
{
    if (value < 1 || value > LastTimeValue)
        return {};
    std::int32_t rest = value - 1;
    ClockTime t;
    t.hundredths = rest % 100;
    rest /= 100;
    t.second = rest % 60;
    rest /= 60;
    t.minute = rest % 60;
    t.hour = rest / 60;
    t.valid = true;
    return t;
}

std::int32_t todaySerial()
{
    const LocalDateTime now = localNow();
    return dateSerial(now.year, now.month, now.day);
}

std::int32_t nowTimeValue()
{
    const LocalDateTime now = localNow();
    return timeValue(now.hour, now.minute, now.second, now.hundredths);
}

} // namespace fw::core
