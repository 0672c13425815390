#pragma once
// Whether a file counts as read-only.
//
// Open mode 22h and the folder listing's read-only attribute both ask the
// same question of a file's status. The permission bits decide it, for a
// superuser as for anyone: a file without any write permission bit is
// read-only for everyone, root included, as the system expects of a
// read-only file. Every place that asks goes through this one answer, so a
// data file, a work file and a listing never disagree about the same file.

#include <sys/stat.h>

namespace fw::fs {

inline bool isReadOnly(const struct stat& st) { return (st.st_mode & 0222) == 0; }

} // namespace fw::fs
