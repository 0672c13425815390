#include "framework/core/clock.h"

#include <chrono>
#include <ctime>
#include <random>

namespace fw::core {

namespace {

std::function<LocalDateTime()>& clockSeam()
{
    static std::function<LocalDateTime()> seam;
    return seam;
}

std::function<std::int32_t(std::int32_t, std::int32_t)>& randomSeam()
{
    static std::function<std::int32_t(std::int32_t, std::int32_t)> seam;
    return seam;
}

LocalDateTime systemNow()
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm tm{};
    localtime_r(&t, &tm);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, static_cast<int>(ms / 10)};
}

} // namespace

LocalDateTime localNow() { return clockSeam() ? clockSeam()() : systemNow(); }

int todayYear() { return localNow().year; }
int todayMonth() { return localNow().month; }
int todayDay() { return localNow().day; }

std::string timeHhmm() { return timeHhmm(localNow()); }

std::string timeHhmm(const LocalDateTime& at)
{
    std::string s(4, '0');
    s[0] = static_cast<char>('0' + at.hour / 10);
    s[1] = static_cast<char>('0' + at.hour % 10);
    s[2] = static_cast<char>('0' + at.minute / 10);
    s[3] = static_cast<char>('0' + at.minute % 10);
    return s;
}

std::int32_t randomInRange(std::int32_t low, std::int32_t high)
{
    if (low > high)
        std::swap(low, high);
    if (randomSeam())
        return randomSeam()(low, high);
    static std::mt19937 engine{std::random_device{}()};
    return std::uniform_int_distribution<std::int32_t>(low, high)(engine);
}

void setClockForTesting(std::function<LocalDateTime()> clock) { clockSeam() = std::move(clock); }

void setRandomForTesting(std::function<std::int32_t(std::int32_t, std::int32_t)> random)
{
    randomSeam() = std::move(random);
}

} // namespace fw::core
