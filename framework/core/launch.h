#pragma once
// Starting another program.
//
// The program is found on PATH and started with exactly the arguments given:
// no shell sees them, so a path full of quotes, semicolons or "$(...)" is
// only a name.
//
// launchDetached() and launchWatched() start a program that belongs to the
// user from then on (a mail program, an editor): it is detached (its own
// session, standard input from /dev/null) and reaped in the background, so it
// leaves no zombie and outlives us if it wants to. runForOutput() runs a
// small tool to its end and reads what it prints.

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/error.h"

namespace fw::core {

// The layer name of every error of this file.
inline constexpr std::string_view LaunchLayer = "Launch";

// Starts the program; fails when it was not found or the system refused.
// Never waits for the program to finish.
[[nodiscard]] Expected<void> launchDetached(const std::string& program, const std::vector<std::string>& arguments);

// What became of a program in the first moments after its start.
struct LaunchOutcome {
    enum class State : std::uint8_t {
        NotStarted, // not found, or the system refused to start it
        Running,    // still running when the watch ended: left to run
        Exited,     // ended by itself; `code` is its exit status
        Killed,     // ended by a signal; `code` is the signal
    };
    State state = State::NotStarted;
    int code = 0;
};

// Starts the program as launchDetached() does and watches it for at most
// `grace`. A program that hands its work to an instance already running
// (a mail program) ends within that time, successfully or not; one that
// stays is running as it should. The caller waits for as long as the
// program runs, `grace` at most.
[[nodiscard]] LaunchOutcome launchWatched(const std::string& program, const std::vector<std::string>& arguments,
                                          std::chrono::milliseconds grace);

// Runs the program (standard input and error from and to /dev/null) and gives
// what it wrote on standard output, once it has ended with exit status 0.
// Fails, saying which, when it could not be started, ended otherwise, or did
// not end within `timeout` (it is killed then).
[[nodiscard]] Expected<std::string> runForOutput(const std::string& program, const std::vector<std::string>& arguments,
                                                 std::chrono::milliseconds timeout);

} // namespace fw::core
