#pragma once
// The byte transfer of a file copy, apart from what the copy decides about
// names, permissions and replacing the destination.

namespace fw::fs::detail {

// Copies everything from `from`'s current offset to its end onto `to` at
// its current offset; both descriptors are left after what was copied. The
// kernel copies on its own where it can (copy_file_range: no bytes pass
// through this process, and a file system that shares or clones blocks does
// so); where it refuses, for example between two file systems or for a
// descriptor that is not a plain file, a read and write loop does the same.
// Returns 0, or the errno of the transfer that failed.
[[nodiscard]] int copyBytes(int from, int to);

} // namespace fw::fs::detail
