#include "framework/fs/path.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <string>
#include <vector>

#include "framework/core/text.h"

namespace fw::fs {

namespace {

bool existsAsWritten(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    }
    return true;
}

// The entry of `folder` that matches `component` without regard to case; the
// first in byte order when several do, so the choice does not depend on the
// order in which the file system happens to list them.
std::optional<std::string> findIgnoringCase(const std::string& folder, std::string_view component)
{
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return std::nullopt;
    std::optional<std::string> best;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (equalsIgnoringCase(name, component) && (!best || name < *best))
            best = std::string(name);
    }
    ::closedir(dir);
    return best;
}

} // namespace

std::filesystem::path toNative(std::string_view systemPath)
{
    std::string native(core::clip(systemPath));
    std::replace(native.begin(), native.end(), '\\', '/');
    return std::filesystem::path(native);
}

std::filesystem::path resolve(std::string_view systemPath)
{
    const std::string native = toNative(systemPath).string();
    if (native.empty() || existsAsWritten(native))
        return native;

    // Walk the components from the top; once one matches nothing, the rest
    // cannot exist either and is kept as written (a name to create).
    std::string resolved;
    std::size_t pos = 0;
    if (native.front() == '/') {
        resolved = "/";
        pos = 1;
    }
    bool searching = true;
    while (pos <= native.size()) {
        std::size_t slash = native.find('/', pos);
        if (slash == std::string::npos)
            slash = native.size();
        const std::string_view component(native.data() + pos, slash - pos);
        if (!component.empty()) {
            std::string candidate = resolved + std::string(component);
            if (searching && !existsAsWritten(candidate)) {
                const std::string folder = resolved.empty() ? std::string(".") : resolved;
                if (const auto match = findIgnoringCase(folder, component))
                    candidate = resolved + *match;
                else
                    searching = false;
            }
            resolved = std::move(candidate);
        }
        if (slash < native.size() && (resolved.empty() || resolved.back() != '/'))
            resolved += '/';
        pos = slash + 1;
    }
    return resolved;
}

std::string currentDirectory()
{
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE)
            return std::string();
        buffer.resize(buffer.size() * 2);
    }
    std::string cwd(buffer.data());
    while (cwd.size() > 1 && cwd.back() == '/')
        cwd.pop_back();
    return cwd;
}

} // namespace fw::fs
