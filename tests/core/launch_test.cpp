#include "framework/core/launch.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

using namespace fw::core;
using namespace std::chrono_literals;
using State = LaunchOutcome::State;

namespace {

struct WatchRow {
    const char* name;
    std::string program;
    std::vector<std::string> arguments;
    State state;
    int code;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const WatchRow& row, std::ostream* os) { *os << row.name; }

class LaunchWatched : public testing::TestWithParam<WatchRow> {};

// A program that ends within the watch says how; one that stays is running.
TEST_P(LaunchWatched, TellsHowTheProgramFaredInItsFirstMoments)
{
    const auto started = std::chrono::steady_clock::now();
    const LaunchOutcome outcome = launchWatched(GetParam().program, GetParam().arguments, 400ms);
    const auto waited = std::chrono::steady_clock::now() - started;
    EXPECT_EQ(outcome.state, GetParam().state);
    EXPECT_EQ(outcome.code, GetParam().code);
    // Never longer than the watch, whatever the program does after it.
    EXPECT_LT(waited, 5s);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, LaunchWatched,
    testing::Values(WatchRow{"EndsWell", "true", {}, State::Exited, 0},
                    WatchRow{"EndsWithAStatus", "sh", {"-c", "exit 3"}, State::Exited, 3},
                    WatchRow{"IsKilled", "sh", {"-c", "kill -9 $$"}, State::Killed, 9},
                    WatchRow{"StaysRunning", "sleep", {"2"}, State::Running, 0},
                    WatchRow{"NotFound", "no-such-program-of-reportmail", {}, State::NotStarted, 0}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// What a run gave: the output, or why there is none.
std::string outcomeOf(const Expected<std::string>& run) { return run ? *run : "(failed) " + run.error().text(); }

TEST(RunForOutput, GivesWhatASuccessfulProgramPrinted)
{
    EXPECT_EQ(outcomeOf(runForOutput("printf", {"%s\\n", "org.gnome.Evolution.desktop"}, 5s)),
              "org.gnome.Evolution.desktop\n");
    EXPECT_EQ(outcomeOf(runForOutput("sh", {"-c", "echo partial; exit 1"}, 5s)),
              "(failed) Launch: sh ended with exit status 1");
    EXPECT_EQ(outcomeOf(runForOutput("sh", {"-c", "echo partial; kill -9 $$"}, 5s)),
              "(failed) Launch: sh was ended by signal 9");
    EXPECT_EQ(outcomeOf(runForOutput("no-such-program-of-reportmail", {}, 5s)),
              "(failed) Launch: no-such-program-of-reportmail could not be started");
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(outcomeOf(runForOutput("sleep", {"30"}, 200ms)), "(failed) Launch: sleep did not end within 200 ms");
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
}

TEST(LaunchDetached, SaysWhenTheProgramCannotBeStarted)
{
    EXPECT_TRUE(launchDetached("true", {}));
    const auto missing = launchDetached("no-such-program-of-reportmail", {});
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().text(), "Launch: no-such-program-of-reportmail could not be started");
}

} // namespace
