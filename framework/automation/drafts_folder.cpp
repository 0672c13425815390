#include "framework/automation/drafts_folder.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace fw::automation {

namespace {

std::string environment(const char* name)
{
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::filesystem::path homeFolder()
{
    if (std::string home = environment("HOME"); !home.empty())
        return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir)
        return pw->pw_dir;
    return "/";
}

std::unexpected<core::Error> failErrno(const std::string& what, const std::filesystem::path& path)
{
    return core::fail("mail drafts", what + " " + path.string() + ": " + std::strerror(errno));
}

// Creates the folder and every missing parent, each for the user only.
core::Expected<void> makeFolders(const std::filesystem::path& folder)
{
    std::filesystem::path built;
    for (const auto& part : folder) {
        built /= part;
        if (mkdir(built.c_str(), 0700) != 0 && errno != EEXIST)
            return failErrno("cannot create the folder", built);
    }
    struct stat st {};
    if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return core::fail("mail drafts", folder.string() + " is not a folder");
    return {};
}

std::string timeStamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Moves `from` to `to` unless `to` exists. Falls back to link and unlink on
// file systems without RENAME_NOREPLACE; both fail with EEXIST when taken.
int renameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to)
{
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return -1;
    if (link(from.c_str(), to.c_str()) != 0)
        return -1;
    unlink(from.c_str());
    return 0;
}

} // namespace

std::filesystem::path draftsFolder()
{
    if (std::string chosen = environment(std::string(draftsFolderVariable).c_str()); !chosen.empty())
        return chosen;
    std::filesystem::path data = environment("XDG_DATA_HOME");
    if (data.empty() || !data.is_absolute())
        data = homeFolder() / ".local" / "share";
    return data / "reportmail" / "drafts";
}

core::Expected<std::filesystem::path> saveDraft(std::string_view bytes)
{
    const std::filesystem::path folder = draftsFolder();
    if (auto made = makeFolders(folder); !made)
        return std::unexpected(made.error());

    std::string temporary = (folder / ".draft-XXXXXX").string();
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return failErrno("cannot create a draft in", folder);
    const bool written = writeAll(fd, bytes) && fsync(fd) == 0;
    const int savedErrno = errno;
    if (close(fd) != 0 || !written) {
        errno = written ? errno : savedErrno;
        const auto error = failErrno("cannot write the draft", temporary);
        unlink(temporary.c_str());
        return error;
    }

    const std::string stem = "mail-" + timeStamp() + "-";
    for (int n = 1;; ++n) {
        std::filesystem::path final = folder / (stem + std::to_string(n) + ".eml");
        if (renameNoReplace(temporary, final) == 0) {
            // The rename itself lasts only once the folder is on disk too.
            if (const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
                fsync(dir);
                close(dir);
            }
            return final;
        }
        if (errno != EEXIST) {
            const auto error = failErrno("cannot name the draft", final);
            unlink(temporary.c_str());
            return error;
        }
    }
}

} // namespace fw::automation
