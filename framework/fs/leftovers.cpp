#include "framework/fs/leftovers.h"

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <set>
#include <vector>

#include "framework/fs/share_lock.h"

namespace fw::fs::detail {

namespace {

constexpr std::string_view Mark = ".~reportmail-";
// A file name holds at most 255 bytes; SQLite's "-journal" must still fit.
constexpr std::size_t NameLimit = 255 - 8;

// Reads the digits at the front of `text` into `value`; false when there are
// none or too many to be a number of ours.
bool takeNumber(std::string_view& text, unsigned long& value)
{
    std::size_t n = 0;
    value = 0;
    while (n < text.size() && text[n] >= '0' && text[n] <= '9') {
        if (n == 18)
            return false;
        value = value * 10 + static_cast<unsigned long>(text[n] - '0');
        ++n;
    }
    text.remove_prefix(n);
    return n > 0;
}

bool processExists(long pid) { return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM; }

// A temporary whose writer is gone: no opener holds it and its process does
// not exist. Our own process's temporaries are all alive: a staged file of
// ours removes its own when it is abandoned.
bool isLeftOver(const std::string& path, long writer)
{
    if (writer == static_cast<long>(::getpid()))
        return false;
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    if (isHeldByAnOpener(path))
        return false;
    return !processExists(writer);
}

// Never destroyed, like the list it guards: see replaceable.cpp.
std::mutex& sweptMutex()
{
    static auto* m = new std::mutex;
    return *m;
}

} // namespace

std::string temporaryName(std::string_view finalName, long pid, unsigned long number)
{
    std::string name = std::string(Mark) + std::to_string(pid) + "-" + std::to_string(number) + "~";
    const std::size_t room = name.size() < NameLimit ? NameLimit - name.size() : 0;
    name += finalName.substr(0, room);
    return name;
}

std::optional<long> temporaryWriter(std::string_view fileName)
{
    if (!fileName.starts_with(Mark))
        return std::nullopt;
    std::string_view rest = fileName.substr(Mark.size());
    unsigned long pid = 0;
    unsigned long number = 0;
    if (!takeNumber(rest, pid) || !rest.starts_with('-'))
        return std::nullopt;
    rest.remove_prefix(1);
    if (!takeNumber(rest, number) || !rest.starts_with('~') || pid == 0)
        return std::nullopt;
    return static_cast<long>(pid);
}

void removeLeftovers(const std::string& folder)
{
    const std::string where = folder.empty() ? std::string(".") : folder;
    {
        static auto* swept = new std::set<std::string>;
        const std::lock_guard lock(sweptMutex());
        char* real = ::realpath(where.c_str(), nullptr);
        const std::string id = real ? std::string(real) : where;
        std::free(real);
        if (!swept->insert(id).second)
            return;
    }
    DIR* dir = ::opendir(where.c_str());
    if (!dir)
        return;
    std::vector<std::string> leftOver;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (const auto writer = temporaryWriter(name)) {
            const std::string path = where + "/" + std::string(name);
            if (isLeftOver(path, *writer))
                leftOver.push_back(path);
        }
    }
    ::closedir(dir);
    for (const std::string& path : leftOver)
        ::unlink(path.c_str());
}

} // namespace fw::fs::detail
