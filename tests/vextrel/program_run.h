#pragma once
// Runs the built vextrel as a user would: in a given folder, with its own
// arguments, without a display (DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM
// removed, so the program has to fall back to offscreen by itself) and with
// TMPDIR pointing where the test says. A watchdog kills a run that does not
// end in time, and the run then counts as failed.

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
