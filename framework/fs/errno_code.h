#pragma once
// The framework's error code for an operating-system error number.

#include <cerrno>

#include "framework/core/error_codes.h"

namespace fw::fs::detail {

inline int codeForErrno(int error)
{
    switch (error) {
    case 0:
        return core::ErrorCode::None;
    case ENOENT:
        return core::ErrorCode::FileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
        return core::ErrorCode::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
    case EEXIST:
        return core::ErrorCode::AccessDenied;
    default:
        return core::ErrorCode::FileSystemError;
    }
}

} // namespace fw::fs::detail
