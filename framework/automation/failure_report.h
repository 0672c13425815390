#pragma once
// How a failed automation call or object creation reaches the user.
//
// The caller of a member text never tests its result and goes on with its
// next step, so the failure is reported here: on standard error, one line
// per failure with the member text in it, always; and, in a program that
// has a person in front of it, in one notice per object (one mail) that
// lists what went wrong with it.
//
// The notice is the program's to show (zorvane shows a message box; vextrel,
// which no one watches, sets none). The OLE control gathers the failures of
// the object it holds and hands them over once, when the object's work is
// done (ole_control.h): a bulk mail to many customers gives one notice per
// mail that went wrong, never one per failed call.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/error.h"

namespace fw::automation {

// Writes error.text() as one line. Control characters in it (a member text
// carries data, which may hold line breaks) are shown escaped ("\n", "\x07")
// so one failure stays one line.
void reportFailure(const core::Error& error);

// The text with control characters escaped as reportFailure() shows them.
std::string escapedForReport(std::string_view text);

// A failure as a sentence for the notice: the reason without the layer's
// name, its first letter capitalised, a full stop at the end, control
// characters escaped ("the attachment file X does not exist" becomes "The
// attachment file X does not exist.").
std::string noticeSentence(const core::Error& why);

// What the program does with the failures of one object, each a sentence of
// noticeSentence(). Without a notice (the default) standard error is all.
using FailureNotice = std::function<void(const std::vector<std::string>& failures)>;
void setFailureNotice(FailureNotice notice);

// Hands `failures` to the notice, if one is set and there is anything to say.
void noticeFailures(const std::vector<std::string>& failures);

// Test seam: while set, every report goes to `sink` (the line without its
// line break) instead of standard error. An empty function restores stderr.
void setFailureSinkForTesting(std::function<void(const std::string& line)> sink);

} // namespace fw::automation
