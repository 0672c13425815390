#pragma once
// The framework's temporaries, and what a run that died leaves of them.
//
// A file that the framework writes to take the place of another
// (staged_file.h) is first written under a temporary name in the same
// folder:
//
//     .~reportmail-<pid>-<n>~<final name>
//
// hidden by its leading dot, marked as ours, with the process number of its
// writer, a number unique within that process, and the final name (cut so
// that the whole fits a file name of 255 bytes with room for a suffix).
// SQLite adds "-journal" to such a name while it creates a data file; that
// file belongs to the same temporary.
//
// A run that is killed leaves its temporaries behind. The first staged write
// of a later run in the same folder removes every temporary of ours whose
// writer is gone: one that no opener holds (a live writer keeps the share
// locks on its temporary) and whose process no longer exists. A live
// process's temporaries are never touched, so two programs writing in one
// folder never remove each other's work; a process number that was reused
// in the meantime only keeps a dead run's temporary until that process ends
// too. Only regular files are ever removed.

#include <optional>
#include <string>
#include <string_view>

namespace fw::fs::detail {

std::string temporaryName(std::string_view finalName, long pid, unsigned long number);

// The writer's process number when `fileName` (a name without its folder) is
// one of our temporaries.
std::optional<long> temporaryWriter(std::string_view fileName);

// Removes the temporaries of dead runs in `folder` (a native path; empty is
// the current directory). Each folder is swept once per process: the runs
// that died did so before this one started writing there.
void removeLeftovers(const std::string& folder);

} // namespace fw::fs::detail
