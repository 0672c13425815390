#pragma once
// A file written under a temporary name and put in place when complete.
//
// Whatever the framework writes to take the place of a file (a work file
// that is created, a copy, a data file being created, a mail draft) is
// written into a temporary beside its final name (leftovers.h gives the
// name) and renamed over the final name only once every byte has been
// written and the file has been closed without an error. So a full disk, a
// failed write, a program that is killed halfway or a failure that the
// writer finds itself never leaves a cut file under the final name, and the
// file that was there before stays untouched until the new one is complete.
//
// begin() first checks the final name (replaceable.h: a folder, a device, a
// FIFO or a socket, a read-only file or one that is held is refused), sweeps
// the folder of dead runs' temporaries, creates the temporary and takes the
// share locks on it. While the staged file lives, its final name counts as
// held: a file already there is kept locked like an open work file, and a
// second writer of the same name in this process is refused even when no
// file exists yet. A file that replaces another keeps the other's
// permission bits.
//
//   begin ── write through descriptor() ──┬─ commit()  renamed in place
//                                         └─ abandon() (or destruction):
//                                            the temporary is removed, the
//                                            final name stays as it was
//
// Every close and rename goes through the fault seams (fault_seams.h).

#include <sys/types.h>

#include <string>
#include <string_view>

#include "framework/core/error.h"

namespace fw::fs {

class StagedFile {
public:
    // Sync::Yes flushes the file and then its folder to the disk, for files
    // that must survive a crash of the machine (mail drafts), not only of
    // the program.
    enum class Sync : bool { No, Yes };

    // A temporary for `target`, a native path (resolve()d). `mode` is the
    // permission of a new file (the umask applies).
    [[nodiscard]] static core::Expected<StagedFile> begin(const std::string& target, mode_t mode = 0666);
    // A temporary in `folder` for a new file whose name is settled at the end
    // (commitUnlessTaken); `nameHint` only shows in the temporary's name.
    [[nodiscard]] static core::Expected<StagedFile> beginNew(const std::string& folder, std::string_view nameHint,
                                                             mode_t mode);

    StagedFile(StagedFile&& other) noexcept;
    StagedFile& operator=(StagedFile&& other) noexcept;
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;
    ~StagedFile();

    int descriptor() const { return m_fd; }

    // Writes all of `bytes` to the temporary. One call counts as one write
    // for fault injection. The error names the target.
    [[nodiscard]] core::Expected<void> write(std::string_view bytes);
    const std::string& temporaryPath() const { return m_temporary; }
    const std::string& target() const { return m_target; }

    // Closes the temporary and renames it over the target, after checking
    // the target once more. On any failure the temporary is removed, the
    // target stays as it was, and the error names the target.
    [[nodiscard]] core::Expected<void> commit(Sync sync = Sync::No);

    // Renames the temporary to `name` (a path in the same folder) unless a
    // file of that name exists: then false, and the temporary waits for the
    // next name. Any other failure removes the temporary.
    [[nodiscard]] core::Expected<bool> commitUnlessTaken(const std::string& name, Sync sync);

    // Closes and removes the temporary; the target stays as it was.
    void abandon();

private:
    StagedFile() = default;
    [[nodiscard]] core::Expected<void> createTemporary(std::string_view nameHint, mode_t mode, const std::string& what);
    enum class Replace : bool { No, Yes };
    [[nodiscard]] core::Expected<void> closeTemporary(Sync sync);
    [[nodiscard]] core::Expected<bool> putInPlace(const std::string& name, Replace replace, Sync sync);
    std::string writeFailure() const;
    void release();

    int m_fd = -1;
    int m_heldTarget = -1; // the file at the target, locked while we write
    bool m_marked = false; // the target is in this process's list of names being written
    std::string m_temporary;
    std::string m_target;
    std::string m_folder;
};

} // namespace fw::fs
