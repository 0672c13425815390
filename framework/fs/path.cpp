#include "framework/fs/path.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "framework/core/text.h"
#include "framework/fs/case_lookup.h"

namespace fw::fs {

namespace {

bool existsAsWritten(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
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

    // Mostly only the last name differs in case (a page "12N.WMF" that was
    // copied as "12N.wmf"): when its folder exists as written, that name is
    // all there is to look up, one question to the file system instead of
    // one for every folder on the way down.
    if (const std::size_t slash = native.rfind('/'); slash != std::string::npos && slash > 0 &&
                                                     slash + 1 < native.size() &&
                                                     existsAsWritten(native.substr(0, slash))) {
        const std::string_view last = std::string_view(native).substr(slash + 1);
        const auto match = findIgnoringCase(native.substr(0, slash), last);
        return native.substr(0, slash + 1) + (match ? *match : std::string(last));
    }

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
