#pragma once
// The path model.
//
// The system's own texts write paths the Windows way: the backslash separates
// folders ("C:\work\KR\423.WMF"; here the current directory followed by
// "\KR\"). At the operating-system boundary every "\" becomes "/", and "/" is
// accepted as it stands. The file system is treated as case-insensitive and
// case-preserving, as the system expects: opening, copying from or removing
// "423.WMF" finds "423.wmf"; creating a file whose name exists in another case
// replaces that file under its existing name. resolve() is the one place that
// does this; every file operation of the framework goes through it.

#include <filesystem>
#include <string>
#include <string_view>

namespace fw::fs {

// The system's path with "\" turned into "/", trailing blanks dropped.
// No look-up on disk.
std::filesystem::path toNative(std::string_view systemPath);

// toNative(), then every component that does not exist as written is matched
// against its folder's entries without regard to case (the first match in
// name order wins when several differ only in case). Components that match
// nothing are kept as written, so the result also names a file to create.
std::filesystem::path resolve(std::string_view systemPath);

// The current directory, as the operating system gives it (no trailing "/").
std::string currentDirectory();

} // namespace fw::fs
