#pragma once
// The framework's date serial and time value.
//
// Data files, windows and reports hold a date or a time of day as one signed
// 32-bit number, so that zero can mean "none" and a date picture can print
// nothing for it:
//
//   date serial  the number of days since 28 December 1800. 29 December 1800
//                is 1, 1 January 1801 is 4, 1 January 2000 is 72687. 0 is no
//                date. Serials follow the proleptic Gregorian calendar and
//                cover 29 December 1800 to 31 December 9999.
//
//   time value   hundredths of a second since midnight, plus 1. Midnight is
//                1, 12:30 is 4500001, 23:59:59.99 is 8640000. 0 is no time.
//
// Differences of serials are day counts and differences of time values are
// hundredths of a second, so both sort and subtract as plain numbers.

#include <cstdint>

namespace fw::core {

struct CalendarDate {
    int year = 0;  // 0 when there is no date
    int month = 0; // 1 to 12
    int day = 0;   // 1 to 31

    bool isValid() const { return year != 0; }
    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

struct ClockTime {
    int hour = 0;       // 0 to 23
    int minute = 0;     // 0 to 59
    int second = 0;     // 0 to 59
    int hundredths = 0; // 0 to 99
    bool valid = false; // false when there is no time

    bool isValid() const { return valid; }
    friend bool operator==(const ClockTime&, const ClockTime&) = default;
};

inline constexpr std::int32_t NoDate = 0;
inline constexpr std::int32_t NoTime = 0;
inline constexpr std::int32_t LastDateSerial = 2994626; // 31 December 9999
inline constexpr std::int32_t LastTimeValue = 8640000;  // 23:59:59.99

// The serial of a calendar date; NoDate when the date does not exist
// (31 April, 29 February 2027) or lies outside the covered range.
std::int32_t dateSerial(int year, int month, int day);

// The calendar date of a serial; an invalid CalendarDate for NoDate and for
// any number outside 1 to LastDateSerial.
CalendarDate calendarDate(std::int32_t serial);

// The time value of a time of day; NoTime when a part is out of range.
std::int32_t timeValue(int hour, int minute, int second = 0, int hundredths = 0);

// The time of day of a time value; an invalid ClockTime for NoTime and for
// any number outside 1 to LastTimeValue.
ClockTime clockTime(std::int32_t value);

// Today and the time of day now, from the framework's clock (clock.h), so a
// test that fixes the clock fixes these too.
std::int32_t todaySerial();
std::int32_t nowTimeValue();

} // namespace fw::core
