#include "framework/fs/work_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/error_codes.h"
#include "framework/fs/errno_code.h"
#include "framework/fs/path.h"
#include "framework/fs/read_only.h"
#include "framework/fs/replaceable.h"
#include "framework/fs/share_lock.h"
#include "framework/fs/staged_file.h"

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

constexpr const char* Layer = "Work file";
constexpr std::size_t BufferSize = 1 << 16;

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

// What remove() and create() leave to a later step: a removal that waits to
// see whether a new file of the name takes the old one's place, or a staged
// file that waits to be opened.
struct WorkFile::Pending {
    enum class Kind : std::uint8_t { Removal, Creation };
    Kind kind;
    std::string native;
    std::optional<StagedFile> staged;
};

// An open work file: the descriptor with its share locks, a read buffer that
// serves sequential records, and a write buffer whose bytes go to the end of
// the file. Appends always add at the end; reads run from the current record
// position, which setToStart() moves back to the first record. A file that
// create() started is a staged file, put in place when it is closed.
struct WorkFile::Handle {
    int fd = -1;
    bool writable = false;
    bool writeFailed = false;
    bool wrote = false; // something was appended since the open
    int writeError = 0; // errno of the first write that failed
    std::string native; // the file's path, for messages
    std::optional<StagedFile> staged;

    std::vector<char> readBuffer;
    std::size_t readPos = 0; // next unread byte in readBuffer
    off_t readOffset = 0;    // file offset of readBuffer's end

    std::vector<char> writeBuffer;
    off_t writeOffset = 0; // file offset where writeBuffer's bytes go

    ~Handle()
    {
        // A staged file that was never closed is incomplete: its destructor
        // removes it.
        if (fd >= 0 && !staged)
            ::close(fd);
    }

    void noteWriteFailure(int error)
    {
        if (!writeFailed)
            writeError = error;
        writeFailed = true;
    }

    bool flush()
    {
        if (writeBuffer.empty())
            return !writeFailed;
        const bool ok = writeAll(fd, writeBuffer.data(), writeBuffer.size(), writeOffset);
        if (ok)
            writeOffset += static_cast<off_t>(writeBuffer.size());
        else
            noteWriteFailure(errno);
        writeBuffer.clear();
        return ok && !writeFailed;
    }

    // Appends `size` bytes; one call counts as one write for fault injection.
    bool write(const char* data, std::size_t size)
    {
        wrote = true;
        if (detail::writeFails()) {
            noteWriteFailure(ENOSPC);
            return false;
        }
        if (writeBuffer.size() + size > BufferSize && !flush())
            return false;
        if (size >= BufferSize) {
            if (!writeAll(fd, data, size, writeOffset)) {
                noteWriteFailure(errno);
                return false;
            }
            writeOffset += static_cast<off_t>(size);
            return true;
        }
        writeBuffer.insert(writeBuffer.end(), data, data + size);
        return true;
    }

    std::string writeFailure() const { return "cannot write " + native + ": " + std::strerror(writeError); }

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

WorkFile::~WorkFile()
{
    m_handle.reset();
    settlePending();
}

bool WorkFile::isOpen() const { return m_handle != nullptr; }

int WorkFile::failed(int code, std::string message)
{
    m_error = core::Error{Layer, std::move(message), code};
    return code;
}

int WorkFile::failed(const core::Error& error)
{
    m_error = core::Error{Layer, error.message, error.code};
    return error.code;
}

std::unexpected<core::Error> WorkFile::failure(int code, std::string message)
{
    failed(code, std::move(message));
    return std::unexpected<core::Error>(m_error);
}

// Carries out what remove() or create() left: a file removed while no new
// one took its place is removed now, and a created file that was never
// opened is put in place empty, as a created file is.
void WorkFile::settlePending()
{
    if (!m_pending)
        return;
    std::unique_ptr<Pending> pending = std::move(m_pending);
    if (pending->kind == Pending::Kind::Creation) {
        // Nobody is left to tell: the work file has moved on to another
        // name or is ending. A commit that fails keeps the earlier file,
        // which is all a created and never written file could replace.
        (void)pending->staged->commit();
        return;
    }
    if (detail::checkReplaceable(pending->native))
        ::unlink(pending->native.c_str());
}

core::Expected<void> WorkFile::setName(std::string_view path)
{
    const std::string_view clipped = core::clip(path);
    if (clipped.size() > name.width) {
        name.clear();
        return failure(PathNotFound, "the path is " + std::to_string(clipped.size()) +
                                         " characters long, more than the " + std::to_string(name.width) +
                                         " that a file name holds");
    }
    name = clipped;
    return {};
}

int WorkFile::remove()
{
    m_error = {};
    if (isOpen())
        return failed(FileAlreadyOpen, name.clipped() + " is open");
    settlePending();
    if (name.isBlank())
        return None;
    const std::string native = resolve(name.clippedView()).string();
    struct stat st;
    if (::lstat(native.c_str(), &st) != 0)
        return None;
    if (auto replaceable = detail::checkReplaceable(native); !replaceable)
        return failed(replaceable.error());
    m_pending = std::make_unique<Pending>(Pending{Pending::Kind::Removal, native, std::nullopt});
    return None;
}

int WorkFile::create()
{
    m_error = {};
    if (isOpen())
        return failed(FileAlreadyOpen, name.clipped() + " is open");
    if (name.isBlank()) {
        settlePending();
        return failed(PathNotFound, "no file name is set");
    }
    const std::string native = resolve(name.clippedView()).string();
    // A removal of this very name is what the new file's rename does; it
    // must not happen before the new file is whole.
    if (m_pending && m_pending->kind == Pending::Kind::Removal && m_pending->native == native)
        m_pending.reset();
    settlePending();
    auto staged = StagedFile::begin(native);
    if (!staged)
        return failed(staged.error());
    m_pending = std::make_unique<Pending>(Pending{Pending::Kind::Creation, native, std::move(*staged)});
    return None;
}

int WorkFile::open(std::uint8_t mode)
{
    m_error = {};
    if (isOpen())
        return failed(FileAlreadyOpen, name.clipped() + " is open");
    if (name.isBlank()) {
        settlePending();
        return failed(FileNotFound, "no file name is set");
    }
    const bool writeAccess = (mode & 0x0F) != OpenMode::ReadOnly;
    const bool denyWrite = (mode & 0xF0) == OpenMode::DenyWrite || (mode & 0xF0) == 0x10;
    const std::string native = resolve(name.clippedView()).string();

    if (m_pending && m_pending->kind == Pending::Kind::Creation && m_pending->native == native) {
        auto handle = std::make_unique<Handle>();
        handle->staged = std::move(m_pending->staged);
        handle->fd = handle->staged->descriptor();
        handle->writable = writeAccess;
        handle->native = native;
        handle->writeBuffer.reserve(BufferSize);
        m_pending.reset();
        m_handle = std::move(handle);
        return None;
    }
    settlePending();

    struct stat st;
    if (::stat(native.c_str(), &st) != 0) {
        const int error = errno;
        return failed(error == ENOENT ? missingCode(native) : detail::codeForErrno(error),
                      "cannot open " + native + ": " + std::strerror(error));
    }
    if (S_ISDIR(st.st_mode))
        return failed(AccessDenied, native + " is a folder");
    if (writeAccess && isReadOnly(st))
        return failed(AccessDenied, native + " is read-only");
    if (writeAccess && detail::isBeingWritten(native))
        return failed(AccessDenied, native + " is being written");

    const int fd = ::open(native.c_str(), (writeAccess ? O_RDWR : O_RDONLY) | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        return failed(error == ENOENT ? missingCode(native) : detail::codeForErrno(error),
                      "cannot open " + native + ": " + std::strerror(error));
    }
    if (const int share = detail::acquireShare(fd, writeAccess, denyWrite); share != None) {
        ::close(fd);
        return failed(share, native + " is in use");
    }
    struct stat opened;
    if (::fstat(fd, &opened) != 0) {
        const int error = errno;
        ::close(fd);
        return failed(FileSystemError, "cannot open " + native + ": " + std::strerror(error));
    }
    auto handle = std::make_unique<Handle>();
    handle->fd = fd;
    handle->writable = writeAccess;
    handle->native = native;
    handle->writeOffset = opened.st_size;
    handle->writeBuffer.reserve(BufferSize);
    m_handle = std::move(handle);
    return None;
}

int WorkFile::setToStart()
{
    if (!isOpen())
        return failed(FileNotOpen, name.clipped() + " is not open");
    if (!m_handle->flush())
        return failed(FileSystemError, m_handle->writeFailure());
    m_handle->rewind();
    return None;
}

core::Expected<std::int64_t> WorkFile::bytes() const
{
    if (!isOpen())
        return core::fail(Layer, name.clipped() + " is not open", FileNotOpen);
    struct stat st;
    if (::fstat(m_handle->fd, &st) != 0)
        return core::fail(Layer, "cannot read the size of " + m_handle->native + ": " + std::strerror(errno),
                          FileSystemError);
    const std::int64_t pending = m_handle->writeOffset + static_cast<std::int64_t>(m_handle->writeBuffer.size());
    return std::max<std::int64_t>(st.st_size, pending);
}

int WorkFile::close() { return finish(true); }

int WorkFile::discard() { return finish(false); }

int WorkFile::finish(bool keep)
{
    if (!isOpen())
        return failed(FileNotOpen, name.clipped() + " is not open");
    std::unique_ptr<Handle> handle = std::move(m_handle);
    const bool written = !handle->writable || handle->flush();
    const std::string writeFailure = handle->writeFailure();

    if (handle->staged) {
        StagedFile staged = std::move(*handle->staged);
        handle->staged.reset();
        handle->fd = -1;
        if (!keep) {
            staged.abandon();
            return None;
        }
        if (!written) {
            staged.abandon();
            return failed(FileSystemError, writeFailure);
        }
        if (auto committed = staged.commit(); !committed)
            return failed(committed.error().code == AccessDenied ? AccessDenied : FileSystemError,
                          committed.error().message);
        return None;
    }

    // Only the close of a file that was written can lose data.
    const int fd = std::exchange(handle->fd, -1);
    int closeError = ::close(fd) != 0 ? errno : 0;
    if (handle->wrote && closeError == 0 && detail::closeFails())
        closeError = EIO;
    if (!written)
        return failed(FileSystemError, writeFailure);
    if (handle->wrote && closeError != 0)
        return failed(FileSystemError, "cannot write " + handle->native + ": " + std::strerror(closeError));
    return None;
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
        return failed(AccessDenied, m_handle->native + " is open for reading only");
    return m_handle->write(LINE.data(), 1) ? None : failed(FileSystemError, m_handle->writeFailure());
}

std::unexpected<core::Error> ByteFile::readFailed(int error)
{
    return failure(FileSystemError, "cannot read " + m_handle->native + ": " + std::strerror(error));
}

core::Expected<std::size_t> ByteFile::read(std::span<char> into)
{
    if (!isOpen())
        return failure(FileNotOpen, name.clipped() + " is not open");
    std::size_t done = 0;
    while (done < into.size()) {
        Handle& h = *m_handle;
        if (h.readPos == h.readBuffer.size() && into.size() - done >= BufferSize) {
            // A large request with nothing buffered goes straight to the
            // caller's memory instead of through the buffer.
            if (!h.writeBuffer.empty() && !h.flush())
                return done > 0 ? core::Expected<std::size_t>(done) : readFailed(errno);
            const ssize_t n = ::pread(h.fd, into.data() + done, into.size() - done, h.readOffset);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return done > 0 ? core::Expected<std::size_t>(done) : readFailed(errno);
            if (n == 0)
                break;
            h.readOffset += n;
            done += static_cast<std::size_t>(n);
            continue;
        }
        const int state = m_handle->fill();
        if (state < 0)
            return done > 0 ? core::Expected<std::size_t>(done) : readFailed(errno);
        if (state == 0)
            break;
        const std::size_t available = m_handle->readBuffer.size() - m_handle->readPos;
        const std::size_t n = std::min(available, into.size() - done);
        std::memcpy(into.data() + done, m_handle->readBuffer.data() + m_handle->readPos, n);
        m_handle->readPos += n;
        done += n;
    }
    return done;
}

core::Expected<void> ByteFile::write(std::span<const char> bytes)
{
    if (!isOpen())
        return failure(FileNotOpen, name.clipped() + " is not open");
    if (!m_handle->writable)
        return failure(AccessDenied, m_handle->native + " is open for reading only");
    if (!m_handle->write(bytes.data(), bytes.size()))
        return failure(FileSystemError, m_handle->writeFailure());
    return {};
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
        return file.failed(AccessDenied, h.native + " is open for reading only");
    std::string line;
    line.reserve(clippedLine.size() + 2);
    line.append(clippedLine);
    line.append("\r\n");
    return h.write(line.data(), line.size()) ? None : file.failed(FileSystemError, h.writeFailure());
}

} // namespace detail

} // namespace fw::fs
