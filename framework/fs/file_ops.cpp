#include "framework/fs/file_ops.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "framework/core/error_codes.h"
#include "framework/fs/copy_bytes.h"
#include "framework/fs/errno_code.h"
#include "framework/fs/fault_seams.h"
#include "framework/fs/path.h"
#include "framework/fs/replaceable.h"
#include "framework/fs/staged_file.h"

namespace fw::fs {

namespace {

constexpr const char* Layer = "File system";

std::function<bool(std::string_view)>& createFolderSeam()
{
    static std::function<bool(std::string_view)> seam;
    return seam;
}

core::Expected<void> failWithErrno(std::string what, const std::string& name, int error)
{
    return core::fail(Layer, what + " " + name + ": " + std::strerror(error), detail::codeForErrno(error));
}

} // namespace

core::Expected<void> copyFile(std::string_view from, std::string_view to)
{
    const std::string source = resolve(from).string();
    const std::string destination = resolve(to).string();
    if (auto ok = detail::checkReplaceable(destination); !ok)
        return ok;

    // Only a file is copied: opening a FIFO would wait for a writer, and a
    // device has no end.
    const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (in < 0)
        return failWithErrno("cannot open", source, errno);
    struct stat st;
    if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(in);
        return core::fail(Layer, "cannot copy " + source, core::ErrorCode::AccessDenied);
    }

    // Written beside the destination and renamed over it: a reader never sees
    // a half-copied file under the destination's name.
    auto staged = StagedFile::begin(destination);
    if (!staged) {
        ::close(in);
        return std::unexpected(staged.error());
    }
    const int out = staged->descriptor();
    int error = detail::copyBytes(in, out);
    bool ok = error == 0;
    ::close(in);
    ::fchmod(out, st.st_mode & 07777);
    // A copy counts as one write for fault injection, however it is done.
    if (ok && detail::writeFails()) {
        ok = false;
        error = ENOSPC;
    }
    if (!ok) {
        staged->abandon();
        return failWithErrno("cannot copy to", destination, error);
    }
    return staged->commit();
}

core::Expected<void> removeFile(std::string_view name)
{
    const std::string native = resolve(name).string();
    if (native.empty())
        return {};
    if (auto ok = detail::checkReplaceable(native); !ok)
        return ok;
    if (::unlink(native.c_str()) != 0 && errno != ENOENT)
        return failWithErrno("cannot remove", native, errno);
    return {};
}

core::Expected<void> createFolder(std::string_view name)
{
    if (createFolderSeam())
        return createFolderSeam()(name)
                   ? core::Expected<void>{}
                   : core::fail(Layer, "cannot create folder " + std::string(name), core::ErrorCode::PathNotFound);
    const std::string native = resolve(name).string();
    if (::mkdir(native.c_str(), 0777) != 0)
        return failWithErrno("cannot create folder", native, errno);
    return {};
}

bool fileExists(std::string_view name)
{
    struct stat st;
    const std::string native = resolve(name).string();
    return !native.empty() && ::stat(native.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::optional<std::uint64_t> fileSize(std::string_view name)
{
    struct stat st;
    const std::string native = resolve(name).string();
    if (native.empty() || ::stat(native.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return static_cast<std::uint64_t>(st.st_size);
}

void setCreateFolderForTesting(std::function<bool(std::string_view name)> seam)
{
    createFolderSeam() = std::move(seam);
}

} // namespace fw::fs
