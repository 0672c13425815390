#pragma once
// Runs the built vextrel as a user would: in a given folder, with its own
// arguments, without a display (DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM
// removed, so the program has to fall back to offscreen by itself) and with
// TMPDIR pointing where the test says. A watchdog kills a run that does not
// end in time, and the run then counts as failed.

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

struct ProgramRun {
    int exitStatus = -1; // -1 when it did not exit normally
    bool timedOut = false;
    std::string standardOutput;
    std::string standardError;
};

ProgramRun runVextrel(const std::vector<std::string>& arguments, const std::filesystem::path& folder,
                      const std::filesystem::path& temporaryFolder);

// The same in two halves, for a test that acts on the run while it goes
// (kills it): the process number of the started program, then its end.
pid_t startVextrel(const std::vector<std::string>& arguments, const std::filesystem::path& folder,
                   const std::filesystem::path& temporaryFolder);
ProgramRun waitForVextrel(pid_t pid, const std::filesystem::path& temporaryFolder);
