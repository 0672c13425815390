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

// Copies the file `from` to `to`; a file at `to` (in any case) is replaced.
// The copy is a staged file (staged_file.h): written beside the destination
// and renamed over it, so a failed copy never leaves a half-written
// destination and keeps the file that was there. A destination that is not
// a file or a link (replaceable.h), that is read-only, or that an opener of
// the framework holds for writing is refused with ErrorCode::AccessDenied,
// as the system's file system would; so is a source that is not a file.
[[nodiscard]] core::Expected<void> copyFile(std::string_view from, std::string_view to);

// Removes the file (a symbolic link as a link); a missing file is no error.
// Anything else under the name, a read-only file, or one that an opener of
// the framework holds for writing is refused with ErrorCode::AccessDenied.
[[nodiscard]] core::Expected<void> removeFile(std::string_view name);

// Creates one folder (its parent must exist). An existing folder is an error
// the callers ignore.
[[nodiscard]] core::Expected<void> createFolder(std::string_view name);

bool fileExists(std::string_view name);
std::optional<std::uint64_t> fileSize(std::string_view name);

// Test seam: when set, createFolder() calls it with the name as passed,
// instead of touching the disk, and returns its answer.
void setCreateFolderForTesting(std::function<bool(std::string_view name)> seam);

} // namespace fw::fs
