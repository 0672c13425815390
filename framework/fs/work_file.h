#pragma once
// Work files: the framework's sequential files with one record field, used
// by the engine to write and read whole files.
//
// A work file's name is not fixed: it is read from the file's `name` text at
// every remove, create and open, so one declaration serves many files. Two
// kinds exist:
//   TextLineFile  one record is one line; append writes LINE clipped, then
//                 CR LF; next reads up to the next LF (a CR before it and the
//                 LF are dropped) into LINE, cut or padded to its width.
//   ByteFile      one record is one byte (LINE is a text of 1).
// Records are the interface; the I/O underneath is buffered.
//
// Writing a file replaces it only when the new one is complete. The system's
// writers all start the same way: remove, create, open; then they append and
// close. create() does not touch the file of that name: it starts a staged
// file (staged_file.h) beside it, open() opens that, and close() puts it in
// place once every record reached the disk and the close succeeded. A failed
// write, a failed close, a program that is killed, or a writer that calls
// discard() because what it wrote is not whole, all leave the earlier file
// as it was and no cut file under the name. So remove() before create() only
// checks that the file may go and leaves it for the new one to replace; a
// remove() that no create() of the same name follows takes the file away
// at the next operation of the work file (or when the work file ends).
// Only regular files and symbolic links (as links) are ever removed or
// replaced: a folder, a device, a FIFO or a socket under the name is refused
// with AccessDenied and stays as it was. open() without create() works on
// the file in place, as before.
//
// Open mode 22h (read and write for this opener, others may only read) is
// emulated for real: a file without any write permission bit counts as
// read-only and cannot be opened for writing, even by root; and an opener
// that wants write access while another opener of the framework (in this
// process or another) holds the file for writing is refused. Both give
// ErrorCode::AccessDenied.
//
// The record operations (remove, create, open, setToStart, next, append,
// close, discard) answer the framework's error codes (core/error_codes.h),
// 0 for success, which the system's callers test right after each call.
// The operations that are ours alone (setName, bytes, and the bulk read and
// write) answer core::Expected, whose error carries the same code. Either
// way lastError() says in words what the last failing operation met, naming
// the file.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "framework/core/error.h"
#include "framework/core/text.h"
#include "framework/fs/fault_seams.h"

namespace fw::fs {

class WorkFile;

// Shared by every BasicTextLineFile width.
namespace detail {
[[nodiscard]] int nextLine(WorkFile& file, char* into, std::size_t width);
[[nodiscard]] int appendLine(WorkFile& file, std::string_view clippedLine);
} // namespace detail

namespace OpenMode {
inline constexpr std::uint8_t ReadOnly = 0x00;
inline constexpr std::uint8_t ReadWrite = 0x02;
inline constexpr std::uint8_t DenyWrite = 0x20;
inline constexpr std::uint8_t ReadWriteDenyWrite = ReadWrite | DenyWrite; // 22h
} // namespace OpenMode

class WorkFile {
public:
    core::Text<256> name; // read at every remove, create and open

    WorkFile();
    virtual ~WorkFile();
    WorkFile(const WorkFile&) = delete;
    WorkFile& operator=(const WorkFile&) = delete;

    // Assigns `path` without its trailing blanks to `name`. A path longer
    // than the name's 256 characters is never cut into another name: the name
    // is blanked instead (every later operation then fails) and the error
    // says so, with PathNotFound.
    [[nodiscard]] core::Expected<void> setName(std::string_view path);

    [[nodiscard]] int remove(); // no error when missing
    [[nodiscard]] int create(); // a new empty file, in place when closed
    [[nodiscard]] int open(std::uint8_t mode = OpenMode::ReadWriteDenyWrite);
    [[nodiscard]] int setToStart(); // positions at the first record
    // The size in bytes, what was appended and not yet flushed included;
    // FileNotOpen when the file is not open.
    [[nodiscard]] core::Expected<std::int64_t> bytes() const;
    // Flushes what was appended and closes; a created file is put in place.
    // A write that failed since the open (disk full, I/O error), a failed
    // close or a failed rename is reported here as FileSystemError (or
    // AccessDenied when something that is not a file took the name), and a
    // created file then does not replace the earlier one.
    [[nodiscard]] int close();
    // Closes without keeping what was written to a created file: for a
    // writer that finds its file is not whole. The earlier file stays.
    [[nodiscard]] int discard();
    bool isOpen() const;

    // What the last operation that failed met, in words; the code is its result.
    const core::Error& lastError() const { return m_error; }

protected:
    friend int detail::nextLine(WorkFile&, char*, std::size_t);
    friend int detail::appendLine(WorkFile&, std::string_view);

    struct Handle;
    std::unique_ptr<Handle> m_handle;

    // Keeps the failure for lastError() and gives its code.
    int failed(int code, std::string message);
    int failed(const core::Error& error);
    // The same for the operations that answer core::Expected.
    [[nodiscard]] std::unexpected<core::Error> failure(int code, std::string message);

private:
    struct Pending;
    void settlePending();
    [[nodiscard]] int finish(bool keep);

    std::unique_ptr<Pending> m_pending; // a removal or a creation not yet carried out
    core::Error m_error;
};

template <std::size_t Width>
class BasicTextLineFile : public WorkFile {
public:
    core::Text<Width> LINE;

    [[nodiscard]] int next();   // 0, or NoFurtherRecord at the end, or another code on a read error
    [[nodiscard]] int append(); // writes LINE clipped, then CR LF

    // Writes `line` clipped, then CR LF, however long it is: for a caller
    // whose line must not be cut at the record's width.
    [[nodiscard]] int append(std::string_view line);
};

class ByteFile : public WorkFile {
public:
    core::Text<1> LINE;

    [[nodiscard]] int next();   // reads one byte into LINE
    [[nodiscard]] int append(); // writes LINE's one byte

    // Bulk forms of next() and append() for callers that stream whole files:
    // the same bytes in the same order, without a call per byte.
    // read() gives the number of bytes read, 0 at the end; a read error after
    // some bytes gives those, and the next read the error. write() writes
    // all of `bytes`. Their errors carry FileNotOpen, AccessDenied (a file
    // open for reading only) or FileSystemError (the disk's own failure).
    [[nodiscard]] core::Expected<std::size_t> read(std::span<char> into);
    [[nodiscard]] core::Expected<void> write(std::span<const char> bytes);

private:
    [[nodiscard]] std::unexpected<core::Error> readFailed(int error);
};

using TextLineFile = BasicTextLineFile<256>;

// clang-format off
template <std::size_t Width>
int BasicTextLineFile<Width>::next() { return detail::nextLine(*this, LINE.data(), Width); }

template <std::size_t Width>
int BasicTextLineFile<Width>::append() { return detail::appendLine(*this, LINE.clippedView()); }

template <std::size_t Width>
int BasicTextLineFile<Width>::append(std::string_view line) { return detail::appendLine(*this, core::clip(line)); }
// clang-format on

} // namespace fw::fs
