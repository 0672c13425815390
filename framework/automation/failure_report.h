#pragma once
// How a failed automation call or object creation reaches the user.
//
// The caller of a member text never tests its result and goes on with its
// next step, so the failure is reported here, on standard error, one line
// per failure with the member text in it. There is no message box: a bulk
// mail to many customers would drown the user in them.

#include <functional>
#include <string>
#include <string_view>

#include "framework/core/error.h"

namespace fw::automation {

// Writes error.text() as one line. Control characters in it (a member text
// carries data, which may hold line breaks) are shown escaped ("\n", "\x07")
// so one failure stays one line.
void reportFailure(const core::Error& error);

// The text with control characters escaped as reportFailure() shows them.
std::string escapedForReport(std::string_view text);

// Test seam: while set, every report goes to `sink` (the line without its
// line break) instead of standard error. An empty function restores stderr.
void setFailureSinkForTesting(std::function<void(const std::string& line)> sink);

} // namespace fw::automation
