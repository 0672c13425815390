#include "framework/fs/staged_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <utility>

#include "framework/core/error_codes.h"
#include "framework/fs/errno_code.h"
#include "framework/fs/fault_seams.h"
#include "framework/fs/leftovers.h"
#include "framework/fs/replaceable.h"
#include "framework/fs/share_lock.h"

namespace fw::fs {

namespace {

constexpr const char* Layer = "File system";

std::atomic<unsigned long> lastNumber{0};

std::unexpected<core::Error> failWithErrno(const std::string& what, int error)
{
    return core::fail(Layer, what + ": " + std::strerror(error),
                      error == ENOENT ? core::ErrorCode::PathNotFound : detail::codeForErrno(error));
}

std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return std::string();
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string nameOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string inFolder(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The rename lasts across a crash of the machine only once the folder that
// holds the new name is on the disk too.
void syncFolder(const std::string& folder)
{
    const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

// Moves `from` to `to` unless `to` exists. Falls back to link and unlink on
// file systems without RENAME_NOREPLACE; both fail with EEXIST when taken.
int renameNoReplace(const std::string& from, const std::string& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return -1;
    if (::link(from.c_str(), to.c_str()) != 0)
        return -1;
    ::unlink(from.c_str());
    return 0;
}

} // namespace

core::Expected<StagedFile> StagedFile::begin(const std::string& target, mode_t mode)
{
    if (auto replaceable = detail::checkReplaceable(target); !replaceable)
        return std::unexpected(replaceable.error());
    StagedFile staged;
    staged.m_target = target;
    staged.m_folder = folderOf(target);
    detail::removeLeftovers(staged.m_folder);
    if (!detail::markBeingWritten(target))
        return core::fail(Layer, target + " is being written", core::ErrorCode::AccessDenied);
    staged.m_marked = true;

    // The file that is there now stays locked like an open work file until
    // its replacement is in place, so no other opener starts writing it.
    struct stat old;
    const bool replacing = ::lstat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    if (replacing) {
        staged.m_heldTarget = ::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (staged.m_heldTarget < 0) {
            const int error = errno;
            return failWithErrno("cannot replace " + target, error);
        }
        if (detail::acquireShare(staged.m_heldTarget, true, true) != core::ErrorCode::None)
            return core::fail(Layer, target + " is in use", core::ErrorCode::AccessDenied);
    }

    if (auto created = staged.createTemporary(nameOf(target), mode, target); !created)
        return std::unexpected(created.error());
    if (replacing)
        ::fchmod(staged.m_fd, old.st_mode & 07777);
    return staged;
}

core::Expected<StagedFile> StagedFile::beginNew(const std::string& folder, std::string_view nameHint, mode_t mode)
{
    StagedFile staged;
    staged.m_folder = folder;
    detail::removeLeftovers(folder);
    if (auto created = staged.createTemporary(nameHint, mode,
                                              folder.empty() ? std::string("a file in .") : "a file in " + folder);
        !created)
        return std::unexpected(created.error());
    return staged;
}

core::Expected<void> StagedFile::createTemporary(std::string_view nameHint, mode_t mode, const std::string& what)
{
    for (;;) {
        const std::string path = inFolder(m_folder,
                                          detail::temporaryName(nameHint, static_cast<long>(::getpid()), ++lastNumber));
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0) {
            const int error = errno;
            return failWithErrno("cannot create " + what, error);
        }
        m_fd = fd;
        m_temporary = path;
        break;
    }
    // The temporary is held by its writer: that is what tells a later run
    // that its writer is alive (leftovers.h). Nobody else can hold a file
    // this call has just created, so only a file system without these locks
    // refuses them; the writer's process number in the name then still
    // keeps a later run's sweep away from it.
    (void)detail::acquireShare(m_fd, true, true);
    return {};
}

StagedFile::StagedFile(StagedFile&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_heldTarget(std::exchange(other.m_heldTarget, -1)),
      m_marked(std::exchange(other.m_marked, false)), m_temporary(std::exchange(other.m_temporary, std::string())),
      m_target(std::move(other.m_target)), m_folder(std::move(other.m_folder))
{
}

StagedFile& StagedFile::operator=(StagedFile&& other) noexcept
{
    if (this != &other) {
        abandon();
        m_fd = std::exchange(other.m_fd, -1);
        m_heldTarget = std::exchange(other.m_heldTarget, -1);
        m_marked = std::exchange(other.m_marked, false);
        m_temporary = std::exchange(other.m_temporary, std::string());
        m_target = std::move(other.m_target);
        m_folder = std::move(other.m_folder);
    }
    return *this;
}

StagedFile::~StagedFile() { abandon(); }

core::Expected<void> StagedFile::closeTemporary(Sync sync)
{
    if (m_fd < 0)
        return {};
    const int fd = std::exchange(m_fd, -1);
    int error = 0;
    if (sync == Sync::Yes && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && detail::closeFails())
        error = EIO;
    if (error != 0)
        return failWithErrno(writeFailure(), error);
    return {};
}

core::Expected<void> StagedFile::commit(Sync sync)
{
    if (auto closed = closeTemporary(sync); !closed) {
        abandon();
        return closed;
    }
    // Something else may have been put under the name meanwhile: a FIFO or
    // a folder there is never replaced.
    if (auto kind = detail::checkKind(m_target); !kind) {
        abandon();
        return kind;
    }
    if (auto placed = putInPlace(m_target, Replace::Yes, sync); !placed)
        return std::unexpected(placed.error());
    return {};
}

core::Expected<bool> StagedFile::commitUnlessTaken(const std::string& name, Sync sync)
{
    if (auto closed = closeTemporary(sync); !closed) {
        abandon();
        return std::unexpected(closed.error());
    }
    return putInPlace(name, Replace::No, sync);
}

core::Expected<bool> StagedFile::putInPlace(const std::string& name, Replace replace, Sync sync)
{
    int error = 0;
    if (detail::renameFails())
        error = EIO;
    else if ((replace == Replace::Yes ? ::rename(m_temporary.c_str(), name.c_str())
                                      : renameNoReplace(m_temporary, name)) != 0)
        error = errno;
    if (error == EEXIST && replace == Replace::No)
        return false;
    if (error != 0) {
        abandon();
        return failWithErrno("cannot put " + name + " in place", error);
    }
    m_temporary.clear();
    if (sync == Sync::Yes)
        syncFolder(m_folder);
    release();
    return true;
}

core::Expected<void> StagedFile::write(std::string_view bytes)
{
    if (detail::writeFails())
        return failWithErrno(writeFailure(), ENOSPC);
    while (!bytes.empty()) {
        const ssize_t n = ::write(m_fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return failWithErrno(writeFailure(), n < 0 ? errno : ENOSPC);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return {};
}

std::string StagedFile::writeFailure() const
{
    return m_target.empty() ? "cannot write a file in " + (m_folder.empty() ? std::string(".") : m_folder)
                            : "cannot write " + m_target;
}

void StagedFile::abandon()
{
    if (m_fd >= 0)
        ::close(std::exchange(m_fd, -1));
    if (!m_temporary.empty())
        ::unlink(std::exchange(m_temporary, std::string()).c_str());
    release();
}

void StagedFile::release()
{
    if (m_heldTarget >= 0)
        ::close(std::exchange(m_heldTarget, -1));
    if (m_marked)
        detail::unmarkBeingWritten(m_target);
    m_marked = false;
}

} // namespace fw::fs
