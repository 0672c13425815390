#pragma once
// What the framework may replace or remove.
//
// The framework writes and removes files, nothing else. A name it is told to
// write or remove may be missing, a regular file, or a symbolic link, which
// is replaced or removed as a link: what the link points to is never
// touched. Anything else under that name (a folder, a device such as
// /dev/null, a FIFO, a socket) is refused and stays as it was, whoever runs
// the program. A regular file is refused as well while it is read-only (no
// write permission bit at all), while an opener of the framework holds it
// for writing or denies writing to others (share_lock.h), and while the
// framework is writing a file to take its place (staged_file.h). Every
// refusal is ErrorCode::AccessDenied with a message naming the file and why.

#include <string>

#include "framework/core/error.h"

namespace fw::fs::detail {

// `native` is a path as the operating system sees it (resolve()d).
[[nodiscard]] core::Expected<void> checkReplaceable(const std::string& native);

// The first part of that check alone: missing, a regular file or a link.
[[nodiscard]] core::Expected<void> checkKind(const std::string& native);

// The names for which a staged file of this process is being written, so
// that a second writer of the same name is refused even before the first
// one's file exists. Names are compared without regard to case, as resolve()
// finds them. markBeingWritten() is false when the name is taken already.
bool isBeingWritten(const std::string& native);
[[nodiscard]] bool markBeingWritten(const std::string& native);
void unmarkBeingWritten(const std::string& native);

} // namespace fw::fs::detail
