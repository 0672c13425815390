#pragma once
// File operations by name. Every name is a system path (see path.h) and is
// resolved case-insensitively. The system's callers mostly ignore results;
// the results are there for the callers that do look and for tests.

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "framework/core/error.h"

namespace fw::fs {

// Copies `from` to `to`; a file at `to` (in any case) is replaced. The copy is
// written to a temporary name beside the destination and renamed over it, so
// a failed copy never leaves a half-written destination. A read-only
// destination, or one that an opener of the framework holds for writing, is
// refused with ErrorCode::AccessDenied, as the system's file system would.
core::Expected<void> copyFile(std::string_view from, std::string_view to);

// Removes the file; a missing file is no error. A read-only file, or one
// that an opener of the framework holds for writing, is refused with
// ErrorCode::AccessDenied.
core::Expected<void> removeFile(std::string_view name);

// Creates one folder (its parent must exist). An existing folder is an error
// the callers ignore.
core::Expected<void> createFolder(std::string_view name);

bool fileExists(std::string_view name);
std::optional<std::uint64_t> fileSize(std::string_view name);

// Test seam: when set, createFolder() calls it with the name as passed,
// instead of touching the disk, and returns its answer.
void setCreateFolderForTesting(std::function<bool(std::string_view name)> seam);

} // namespace fw::fs
