#include "framework/fs/work_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "framework/core/error_codes.h"
#include "framework/fs/errno_code.h"
#include "framework/fs/path.h"
#include "framework/fs/share_lock.h"

namespace fw::fs {

using core::ErrorCode::AccessDenied;
using core::ErrorCode::FileAlreadyOpen;
using core::ErrorCode::FileNotFound;
using core::ErrorCode::FileNotOpen;
using core::ErrorCode::FileSystemError;
using core::ErrorCode::NoFurtherRecord;
using core::ErrorCode::None;
using core::ErrorCode::PathNotFound;

namespace {

constexpr std::size_t BufferSize = 1 << 16;

// Counts down to the write that a test wants to fail; 0 means off.
std::atomic<int> writesUntilFailure{0};

bool injectedWriteFailure()
{
    int n = writesUntilFailure.load();
    while (n > 0) {
        if (writesUntilFailure.compare_exchange_weak(n, n - 1))
            return n == 1;
    }
    return false;
}

// A file that exists may be replaced or removed only when it is a plain
// file that is writable and that no other opener holds.
bool mayNotReplace(const struct stat& st, const std::string& native)
{
    return S_ISDIR(st.st_mode) || detail::isReadOnly(st) || detail::isHeldByAnOpener(native);
}

bool writeAll(int fd, const char* data, std::size_t size, off_t offset)
{
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, data, size, offset);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
        offset += n;
    }
    return true;
}

// The system's paths may name a file that exists in another letter case, or
// a folder that is missing: tell those apart the way the system's callers see
// them (file not found against path not found).
int missingCode(const std::string& native)
{
    const auto slash = native.rfind('/');
    if (slash == std::string::npos || slash == 0)
        return FileNotFound;
    struct stat st;
    const std::string folder = native.substr(0, slash);
    return (::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) ? FileNotFound : PathNotFound;
}

} // namespace

// An open work file: the descriptor with its share locks, a read buffer that
// serves sequential records, and a write buffer whose bytes go to the end of
// the file. Appends always add at the end; reads run from the current record
// position, which setToStart() moves back to the first record.
struct WorkFile::Handle {
    int fd = -1;
    bool writable = false;
    bool writeFailed = false;

    std::vector<char> readBuffer;
    std::size_t readPos = 0;   // next unread byte in readBuffer
    off_t readOffset = 0;      // file offset of readBuffer's end

    std::vector<char> writeBuffer;
    off_t writeOffset = 0;     // file offset where writeBuffer's bytes go

    ~Handle()
    {
        if (fd >= 0)
            ::close(fd);
    }

    bool flush()
    {
        if (writeBuffer.empty())
            return !writeFailed;
        const bool ok = writeAll(fd, writeBuffer.data(), writeBuffer.size(), writeOffset);
        if (ok)
            writeOffset += static_cast<off_t>(writeBuffer.size());
        else
            writeFailed = true;
        writeBuffer.clear();
        return ok && !writeFailed;
    }

    // Appends `size` bytes; one call counts as one write for fault injection.
    bool write(const char* data, std::size_t size)
    {
        if (injectedWriteFailure()) {
            writeFailed = true;
            return false;
        }
        if (writeBuffer.size() + size > BufferSize && !flush())
            return false;
        if (size >= BufferSize) {
            if (!writeAll(fd, data, size, writeOffset)) {
                writeFailed = true;
                return false;
            }
            writeOffset += static_cast<off_t>(size);
            return true;
        }
        writeBuffer.insert(writeBuffer.end(), data, data + size);
        return true;
    }

    // Makes at least one unread byte available. 1 when there is one, 0 at
    // the end of the file, -1 on a read error.
    int fill()
    {
        if (readPos < readBuffer.size())
            return 1;
        if (!writeBuffer.empty() && !flush())
            return -1;
        readBuffer.resize(BufferSize);
        readPos = 0;
        for (;;) {
            const ssize_t n = ::pread(fd, readBuffer.data(), readBuffer.size(), readOffset);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                readBuffer.clear();
                return -1;
            }
            readBuffer.resize(static_cast<std::size_t>(n));
            readOffset += n;
            return n > 0 ? 1 : 0;
        }
    }

    void rewind()
    {
        readBuffer.clear();
        readPos = 0;
        readOffset = 0;
    }
};

WorkFile::WorkFile() = default;
WorkFile::~WorkFile() = default;

bool WorkFile::isOpen() const { return m_handle != nullptr; }

int WorkFile::remove()
{
    if (isOpen())
        return FileAlreadyOpen;
    if (name.isBlank())
        return None;
    const std::string native = resolve(name.clippedView()).string();
    struct stat st;
    if (::stat(native.c_str(), &st) != 0)
        return None;
    if (mayNotReplace(st, native))
        return AccessDenied;
    if (::unlink(native.c_str()) != 0 && errno != ENOENT)
        return detail::codeForErrno(errno);
    return None;
}

int WorkFile::create()
{
    if (isOpen())
        return FileAlreadyOpen;
    if (name.isBlank())
        return PathNotFound;
    const std::string native = resolve(name.clippedView()).string();
    struct stat st;
    if (::stat(native.c_str(), &st) == 0) {
        if (mayNotReplace(st, native))
            return AccessDenied;
    }
    const int fd = ::open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno == ENOENT ? PathNotFound : detail::codeForErrno(errno);
    ::close(fd);
    return None;
}

int WorkFile::open(std::uint8_t mode)
{
    if (isOpen())
        return FileAlreadyOpen;
    if (name.isBlank())
        return FileNotFound;
    const bool writeAccess = (mode & 0x0F) != OpenMode::ReadOnly;
    const bool denyWrite = (mode & 0xF0) == OpenMode::DenyWrite || (mode & 0xF0) == 0x10;
    const std::string native = resolve(name.clippedView()).string();

    struct stat st;
    if (::stat(native.c_str(), &st) != 0)
        return errno == ENOENT ? missingCode(native) : detail::codeForErrno(errno);
    if (S_ISDIR(st.st_mode))
        return AccessDenied;
    if (writeAccess && detail::isReadOnly(st))
        return AccessDenied;

    const int fd = ::open(native.c_str(), (writeAccess ? O_RDWR : O_RDONLY) | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? missingCode(native) : detail::codeForErrno(errno);
    if (const int share = detail::acquireShare(fd, writeAccess, denyWrite); share != None) {
        ::close(fd);
        return share;
    }
    struct stat opened;
    if (::fstat(fd, &opened) != 0) {
        ::close(fd);
        return FileSystemError;
    }
    auto handle = std::make_unique<Handle>();
    handle->fd = fd;
    handle->writable = writeAccess;
    handle->writeOffset = opened.st_size;
    handle->writeBuffer.reserve(BufferSize);
    m_handle = std::move(handle);
    return None;
}

int WorkFile::setToStart()
{
    if (!isOpen())
        return FileNotOpen;
    if (!m_handle->flush())
        return FileSystemError;
    m_handle->rewind();
    return None;
}

std::int64_t WorkFile::bytes() const
{
    if (!isOpen())
        return -1;
    struct stat st;
    if (::fstat(m_handle->fd, &st) != 0)
        return -1;
    const std::int64_t pending = m_handle->writeOffset + static_cast<std::int64_t>(m_handle->writeBuffer.size());
    return std::max<std::int64_t>(st.st_size, pending);
}

int WorkFile::close()
{
    if (!isOpen())
        return FileNotOpen;
    bool ok = m_handle->flush();
    const int fd = m_handle->fd;
    m_handle->fd = -1;
    if (::close(fd) != 0 && m_handle->writable)
        ok = false;
    m_handle.reset();
    return ok ? None : FileSystemError;
}

int ByteFile::next()
{
    if (!isOpen())
        return FileNotOpen;
    const int state = m_handle->fill();
    if (state < 0)
        return FileSystemError;
    if (state == 0)
        return NoFurtherRecord;
    LINE.data()[0] = m_handle->readBuffer[m_handle->readPos++];
    return None;
}

int ByteFile::append()
{
    if (!isOpen())
        return FileNotOpen;
    if (!m_handle->writable)
        return AccessDenied;
    return m_handle->write(LINE.data(), 1) ? None : FileSystemError;
}

std::ptrdiff_t ByteFile::read(std::span<char> into)
{
    if (!isOpen())
        return -1;
    std::size_t done = 0;
    while (done < into.size()) {
        Handle& h = *m_handle;
        if (h.readPos == h.readBuffer.size() && into.size() - done >= BufferSize) {
            // A large request with nothing buffered goes straight to the
            // caller's memory instead of through the buffer.
            if (!h.writeBuffer.empty() && !h.flush())
                return done > 0 ? static_cast<std::ptrdiff_t>(done) : -1;
            const ssize_t n = ::pread(h.fd, into.data() + done, into.size() - done, h.readOffset);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return done > 0 ? static_cast<std::ptrdiff_t>(done) : -1;
            if (n == 0)
                break;
            h.readOffset += n;
            done += static_cast<std::size_t>(n);
            continue;
        }
        const int state = m_handle->fill();
        if (state < 0)
            return done > 0 ? static_cast<std::ptrdiff_t>(done) : -1;
        if (state == 0)
            break;
        const std::size_t available = m_handle->readBuffer.size() - m_handle->readPos;
        const std::size_t n = std::min(available, into.size() - done);
        std::memcpy(into.data() + done, m_handle->readBuffer.data() + m_handle->readPos, n);
        m_handle->readPos += n;
        done += n;
    }
    return static_cast<std::ptrdiff_t>(done);
}

bool ByteFile::write(std::span<const char> bytes)
{
    if (!isOpen() || !m_handle->writable)
        return false;
    return m_handle->write(bytes.data(), bytes.size());
}

namespace detail {

int nextLine(WorkFile& file, char* into, std::size_t width)
{
    if (!file.isOpen())
        return FileNotOpen;
    WorkFile::Handle& h = *file.m_handle;
    const int first = h.fill();
    if (first < 0)
        return FileSystemError;
    if (first == 0)
        return NoFurtherRecord;

    // A line longer than the record is not dropped: the record takes its
    // first `width` characters and the next read goes on with the rest. The
    // line end (LF, or CR LF) is consumed even when the record is already
    // full, so a line of exactly `width` characters is one record. A CR that
    // is not followed by LF is an ordinary character.
    std::size_t length = 0;
    bool pendingCR = false;
    for (;;) {
        const int state = h.fill();
        if (state < 0)
            return FileSystemError;
        if (state == 0)
            break;
        const char c = h.readBuffer[h.readPos];
        if (c == '\n') {
            ++h.readPos;
            pendingCR = false;
            break;
        }
        if (pendingCR) {
            pendingCR = false;
            if (length < width)
                into[length++] = '\r';
        }
        if (c == '\r') {
            ++h.readPos;
            pendingCR = true;
            continue;
        }
        if (length == width)
            break;
        into[length++] = c;
        ++h.readPos;
    }
    if (pendingCR && length < width)
        into[length++] = '\r';
    std::fill(into + length, into + width, ' ');
    return None;
}

int appendLine(WorkFile& file, std::string_view clippedLine)
{
    if (!file.isOpen())
        return FileNotOpen;
    WorkFile::Handle& h = *file.m_handle;
    if (!h.writable)
        return AccessDenied;
    std::string line;
    line.reserve(clippedLine.size() + 2);
    line.append(clippedLine);
    line.append("\r\n");
    return h.write(line.data(), line.size()) ? None : FileSystemError;
}

} // namespace detail

void failNthWriteForTesting(int n) { writesUntilFailure.store(n > 0 ? n : 0); }

} // namespace fw::fs
