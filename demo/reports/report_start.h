#pragma once
// Starting a report as the frame does: the four plain reports on a thread of
// their own with a stack of 50000 bytes, the embed variant (and the bulk
// mail's reports) on the caller's thread, which waits until the run ends.

#include <cstddef>
#include <cstdint>

#include "demo/reports/report_definition.h"
#include "framework/threads/scheduler.h"

namespace zorvane {

// The stack the report threads ask for; the threads honour it as a minimum.
inline constexpr std::size_t ReportStackSize = 50000;

enum class ReportThread : std::uint8_t { Own, Caller };

using ReportProcedure = void (*)();
ReportProcedure reportProcedure(ReportId report);

// On its own thread: starts the run and returns the new thread's number (the
// run begins when the caller next waits). On the caller's thread: runs it to
// its end and returns the caller's number; the response is then in the
// caller's global response. `response`, when given, receives the run's
// response when it ends, on either thread (it must outlive the run).
fw::threads::ThreadNumber startReport(ReportId report, ReportThread where, std::uint8_t* response = nullptr);

} // namespace zorvane
