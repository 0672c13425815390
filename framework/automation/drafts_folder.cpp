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

#include "framework/fs/staged_file.h"

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

    const std::string stem = "mail-" + timeStamp() + "-";
    auto staged = fs::StagedFile::beginNew(folder.string(), stem + "1.eml", 0600);
    if (!staged)
        return core::fail("mail drafts", staged.error().message);
    if (auto written = staged->write(bytes); !written)
        return core::fail("mail drafts", written.error().message); // the temporary goes with the staged file
    // Flushed to the disk before it gets its name, and the folder after:
    // a crash of the machine leaves the whole draft or none.
    for (int n = 1;; ++n) {
        std::filesystem::path final = folder / (stem + std::to_string(n) + ".eml");
        auto named = staged->commitUnlessTaken(final.string(), fs::StagedFile::Sync::Yes);
        if (!named)
            return core::fail("mail drafts", named.error().message);
        if (*named)
            return final;
    }
}

} // namespace fw::automation
