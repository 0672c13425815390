#include "framework/fs/share_lock.h"

#include <fcntl.h>
#include <unistd.h>

#include "framework/core/error_codes.h"

namespace fw::fs::detail {

namespace {

constexpr off_t WriteByte = 0x7FFFFFFF00000000LL;
constexpr off_t DenyByte = WriteByte + 1;

struct flock lockRequest(short type, off_t start, off_t length = 1)
{
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = start;
    fl.l_len = length;
    fl.l_pid = 0; // required by OFD locks
    return fl;
}

bool take(int fd, short type, off_t byte)
{
    struct flock fl = lockRequest(type, byte);
    return ::fcntl(fd, F_OFD_SETLK, &fl) == 0;
}

// True when another open file description holds a lock on `byte` that would
// conflict with an exclusive lock there.
bool heldByOther(int fd, off_t start, off_t length = 1)
{
    struct flock fl = lockRequest(F_WRLCK, start, length);
    if (::fcntl(fd, F_OFD_GETLK, &fl) != 0)
        return true; // cannot tell: refuse rather than share unsafely
    return fl.l_type != F_UNLCK;
}

} // namespace

int acquireShare(int fd, bool writeAccess, bool denyWrite)
{
    bool ok = true;
    if (writeAccess && denyWrite) {
        ok = take(fd, F_WRLCK, WriteByte) && take(fd, F_WRLCK, DenyByte);
    } else if (writeAccess) {
        ok = !heldByOther(fd, DenyByte) && take(fd, F_RDLCK, WriteByte);
    } else if (denyWrite) {
        ok = !heldByOther(fd, WriteByte) && take(fd, F_RDLCK, DenyByte);
    }
    if (!ok) {
        struct flock fl = lockRequest(F_UNLCK, WriteByte, 2);
        ::fcntl(fd, F_OFD_SETLK, &fl);
        return core::ErrorCode::AccessDenied;
    }
    return core::ErrorCode::None;
}

bool isHeldByAnOpener(const std::string& nativePath)
{
    const int fd = ::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    const bool held = heldByOther(fd, WriteByte, 2);
    ::close(fd);
    return held;
}

} // namespace fw::fs::detail
