#pragma once
// Settling the work folder at the start of every mail run.
//
// A blank work folder becomes the current directory followed by "\KR\";
// one that is set gets a final backslash when it has none. A folder that
// does not fit the work folder's 256 characters (a deep current directory)
// is refused, never cut: a cut name is another folder, and every file of
// the run would land in it. The work folder is then left blank, which the
// builder refuses to write documents into, and the error says why for the
// caller to show.

#include "framework/core/error.h"

namespace engine {

[[nodiscard]] fw::core::Expected<void> settleWorkFolder();

} // namespace engine
