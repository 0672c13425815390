#pragma once
// What the frame's menu runs: the five reports, the two mails without a
// report and the bulk mail.
//
// The frame does not link those procedures itself: the program hands them
// over at start-up (demo/program), so the frame can be built and tried on
// its own with procedures of a test's choosing. A procedure not handed over
// makes its menu item do nothing.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace zorvane {

struct FrameProcedures {
    std::function<void()> TarvenClasses;
    std::function<void()> TarvenStudents;
    std::function<void()> TarvenTeachers;
    std::function<void()> TarvenCustomers;
    std::function<void()> TarvenCustomersEmbed;
    std::function<void()> EmailOne;
    std::function<void()> EmailTwo;
    std::function<void(std::uint8_t teachers, std::uint8_t classes)> BulkEmail;
};

void setFrameProcedures(FrameProcedures procedures);

// Where a menu action runs: the plain reports on a thread of their own, so
// the frame stays usable while they print; the rest on the frame's thread,
// which waits until they return.
enum class RunOn : std::uint8_t { NewThread, FrameThread };

struct MenuAction {
    int item = 0;
    RunOn runOn = RunOn::FrameThread;
    std::size_t stackSize = 0; // bytes asked for a new thread
    std::function<void()> procedure;
};

// The menu actions in the order the frame tries them, built from the
// procedures handed over last.
const std::vector<MenuAction>& menuActions();

} // namespace zorvane
