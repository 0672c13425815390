#pragma once
// The values every framework thread has its own copy of: the global request,
// the global response and one further number. Window and report procedures
// hand their outcome to their caller through them.
//
// threadValues() always answers for the thread that runs now. Until the
// cooperative scheduler starts there is one copy for the process; the
// scheduler points the slot at each fiber's own copy when it switches.

#include <cstdint>

namespace fw::core {

struct ThreadValues {
    std::uint8_t request = 0;
    std::uint8_t response = 0;
    std::int32_t further = 0;
};

ThreadValues& threadValues();

// For the scheduler only: the copy that threadValues() answers with from now
// on; nullptr goes back to the process's own copy.
void setCurrentThreadValues(ThreadValues* values);

} // namespace fw::core
