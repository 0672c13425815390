#pragma once
// Sharing between openers of the framework, across processes.
//
// Open mode 22h says "read and write for me, others may only read". POSIX has
// no share modes, so openers advertise what they hold with open-file-
// description locks on two bytes far beyond any real data: the write byte
// (held by an opener with write access) and the deny byte (held by an opener
// that denies writing to others). An opener with both holds both exclusively.
// OFD locks belong to the open file, not the process, so two opens in one
// process conflict just as two processes do, and closing the file drops them.
// Plain readers take no lock and are never refused.

#include <string>

namespace fw::fs::detail {

// Takes the share locks for an open file descriptor. Returns 0, or
// ErrorCode::AccessDenied when another opener's access or sharing conflicts.
[[nodiscard]] int acquireShare(int fd, bool writeAccess, bool denyWrite);

// True when some opener of the framework holds the file at `nativePath` with
// write access or denies writing to others: the file must then not be
// removed, truncated or replaced.
bool isHeldByAnOpener(const std::string& nativePath);

} // namespace fw::fs::detail
