#pragma once
// The local clock and the random source, behind one seam.
//
// Everything the system stamps or draws (the RTF creation stamp, the job
// number, the picture tag) comes through here, so a test can fix the clock
// and the random numbers and compare documents byte for byte.

#include <cstdint>
#include <functional>
#include <string>

namespace fw::core {

struct LocalDateTime {
    int year = 0;
    int month = 0;  // 1 to 12
    int day = 0;    // 1 to 31
    int hour = 0;   // 0 to 23
    int minute = 0; // 0 to 59
    int second = 0;
    int hundredths = 0;
};

LocalDateTime localNow();

// Today's year, month and day.
int todayYear();
int todayMonth();
int todayDay();

// The time of day as four characters hhmm, hours 00 to 23 ("0905").
std::string timeHhmm();

// The same four characters for an instant already read, so a caller that
// needs the date and the time of one instant reads the clock once.
std::string timeHhmm(const LocalDateTime& at);

// A pseudo-random whole number from `low` to `high`, both included.
std::int32_t randomInRange(std::int32_t low, std::int32_t high);

// Test seams. An empty function restores the real clock or random source.
void setClockForTesting(std::function<LocalDateTime()> clock);
void setRandomForTesting(std::function<std::int32_t(std::int32_t low, std::int32_t high)> random);

} // namespace fw::core
