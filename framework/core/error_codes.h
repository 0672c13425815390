#pragma once
// The framework's error codes: what a file open, a record read or an
// expression evaluation reports. Callers test these numbers right after the
// operation, so they are part of the framework's interface and never change.

namespace fw::core::ErrorCode {

inline constexpr int None = 0;
inline constexpr int FileNotFound = 2;
inline constexpr int PathNotFound = 3;
inline constexpr int AccessDenied = 5;     // read-only file, or a sharing conflict on a work file
inline constexpr int FileLocked = 32;      // a data file held by another opener
inline constexpr int NoFurtherRecord = 33; // the end of a file, view or queue
inline constexpr int RecordNotFound = 35;  // a fetch by key found nothing
inline constexpr int InvalidDataFile = 36; // not a data file of ours, or damaged beyond use
inline constexpr int FileNotOpen = 37;
inline constexpr int DuplicateKey = 40;    // an add or change would break a unique key
inline constexpr int KeyNeedsRebuild = 46; // an index is damaged; the file itself is readable
inline constexpr int FileAlreadyOpen = 52;
inline constexpr int FileSystemError = 90;  // any other operating-system failure
inline constexpr int ExpressionError = 800; // an expression that does not compile

} // namespace fw::core::ErrorCode
