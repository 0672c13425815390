#include "framework/fs/replaceable.h"

#include <sys/stat.h>

#include <algorithm>
#include <mutex>
#include <set>

#include "framework/core/error_codes.h"
#include "framework/fs/read_only.h"
#include "framework/fs/share_lock.h"

namespace fw::fs::detail {

namespace {

constexpr const char* Layer = "File system";

// What stands under a name that is neither missing nor a file nor a link.
const char* otherKind(mode_t mode)
{
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device, not a file";
    if (S_ISFIFO(mode))
        return "a FIFO, not a file";
    if (S_ISSOCK(mode))
        return "a socket, not a file";
    return "not a file";
}

std::string key(const std::string& native)
{
    std::string k = native;
    std::ranges::transform(k, k.begin(),
                           [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
    return k;
}

// Never destroyed: a work file that is a global of the program may still
// end a staged file while the program's statics are being torn down.
std::mutex& namesMutex()
{
    static auto* m = new std::mutex;
    return *m;
}

std::set<std::string>& namesBeingWritten()
{
    static auto* names = new std::set<std::string>;
    return *names;
}

std::unexpected<core::Error> refuse(const std::string& native, const std::string& why)
{
    return core::fail(Layer, native + " is " + why, core::ErrorCode::AccessDenied);
}

} // namespace

core::Expected<void> checkKind(const std::string& native)
{
    struct stat st;
    if (::lstat(native.c_str(), &st) != 0 || S_ISLNK(st.st_mode) || S_ISREG(st.st_mode))
        return {};
    return refuse(native, otherKind(st.st_mode));
}

core::Expected<void> checkReplaceable(const std::string& native)
{
    if (isBeingWritten(native))
        return refuse(native, "being written");
    if (auto kind = checkKind(native); !kind)
        return kind;
    struct stat st;
    if (::lstat(native.c_str(), &st) != 0 || S_ISLNK(st.st_mode))
        return {};
    if (isReadOnly(st))
        return refuse(native, "read-only");
    if (isHeldByAnOpener(native))
        return refuse(native, "in use");
    return {};
}

bool isBeingWritten(const std::string& native)
{
    const std::lock_guard lock(namesMutex());
    return namesBeingWritten().contains(key(native));
}

bool markBeingWritten(const std::string& native)
{
    const std::lock_guard lock(namesMutex());
    return namesBeingWritten().insert(key(native)).second;
}

void unmarkBeingWritten(const std::string& native)
{
    const std::lock_guard lock(namesMutex());
    namesBeingWritten().erase(key(native));
}

} // namespace fw::fs::detail
