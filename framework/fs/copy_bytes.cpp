#include "framework/fs/copy_bytes.h"

#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <memory>

namespace fw::fs::detail {

namespace {

// The most one kernel copy is asked for; it may do less, and says so.
constexpr std::size_t KernelChunk = std::size_t{1} << 30;
constexpr std::size_t BufferBytes = std::size_t{1} << 18;

// The answers by which the kernel refuses to copy these two descriptors at
// all, as opposed to failing in the middle of a copy.
bool refused(int error)
{
    return error == EXDEV || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == EBADF ||
           error == EPERM || error == ETXTBSY;
}

int readWriteLoop(int from, int to)
{
    // Not zero-filled: every byte is read into before it is written out.
    const std::unique_ptr<char[]> buffer(new char[BufferBytes]);
    for (;;) {
        const ssize_t n = ::read(from, buffer.get(), BufferBytes);
        if (n == 0)
            return 0;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(to, buffer.get() + done, static_cast<std::size_t>(n - done));
            if (w < 0) {
                if (errno == EINTR)
                    continue;
                return errno;
            }
            done += w;
        }
    }
}

} // namespace

int copyBytes(int from, int to)
{
    bool copiedAny = false;
    for (;;) {
        const ssize_t n = ::copy_file_range(from, nullptr, to, nullptr, KernelChunk, 0);
        if (n > 0) {
            copiedAny = true;
            continue;
        }
        if (n == 0) {
            // Kernels that copy between any two file systems end at once
            // for a file that gives its size as 0 but has contents (those
            // of /proc): nothing copied yet, so the loop finds out.
            return copiedAny ? 0 : readWriteLoop(from, to);
        }
        if (errno == EINTR)
            continue;
        // Both offsets stand after what the kernel copied, so the loop
        // goes on from there.
        if (refused(errno))
            return readWriteLoop(from, to);
        return errno;
    }
}

} // namespace fw::fs::detail
