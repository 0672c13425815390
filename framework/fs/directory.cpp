#include "framework/fs/directory.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <limits>

#include "framework/fs/path.h"
#include "framework/fs/read_only.h"

namespace fw::fs {

namespace {

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char upperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// The framework's date serial counts days from 28 December 1800 (day 1), its
// time value hundredths of a second since midnight plus one, so that 0 can
// mean "no time".
std::int32_t dateSerial(const std::tm& tm)
{
    // Days from the civil calendar (proleptic Gregorian), then shifted so that
    // 28 December 1800 is day 1.
    auto daysFromCivil = [](int y, unsigned m, unsigned d) {
        y -= m <= 2;
        const int era = (y >= 0 ? y : y - 399) / 400;
        const unsigned yoe = static_cast<unsigned>(y - era * 400);
        const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
        const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
        return era * 146097 + static_cast<int>(doe);
    };
    const int day = daysFromCivil(tm.tm_year + 1900, static_cast<unsigned>(tm.tm_mon + 1),
                                  static_cast<unsigned>(tm.tm_mday));
    return day - daysFromCivil(1800, 12, 28) + 1;
}

std::int32_t timeValue(const std::tm& tm) { return (tm.tm_hour * 3600 + tm.tm_min * 60 + tm.tm_sec) * 100 + 1; }

std::string shortName(std::string_view name)
{
    std::string_view base = name;
    std::string_view extension;
    if (const auto dot = name.rfind('.'); dot != std::string_view::npos && dot > 0) {
        base = name.substr(0, dot);
        extension = name.substr(dot + 1);
    }
    std::string out(base.substr(0, 8));
    if (!extension.empty()) {
        out += '.';
        out += extension.substr(0, 3);
    }
    std::transform(out.begin(), out.end(), out.begin(), upperAscii);
    return out;
}

bool lessIgnoringCase(const std::string& a, const std::string& b)
{
    const auto byLower = [](char x, char y) { return lowerAscii(x) < lowerAscii(y); };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), byLower))
        return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), byLower))
        return false;
    return a < b;
}

} // namespace

bool matchesMask(std::string_view name, std::string_view pattern)
{
    // Iterative wildcard match with one back-tracking point per "*".
    std::size_t n = 0, p = 0;
    std::size_t starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || lowerAscii(pattern[p]) == lowerAscii(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::vector<DirectoryEntry> listFolder(std::string_view mask, std::uint8_t attributeMask)
{
    const std::string native = toNative(mask).string();
    const auto slash = native.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : native.substr(0, slash + 1);
    const std::string lastComponent = slash == std::string::npos ? native : native.substr(slash + 1);
    const std::string pattern = lastComponent.empty() ? std::string(1, '*') : lastComponent;
    const std::string resolvedFolder = folder.empty() ? std::string(".") : resolve(folder).string();

    std::vector<std::string> names;
    if (DIR* dir = ::opendir(resolvedFolder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name(entry->d_name);
            if (name == "." || name == "..")
                continue;
            if (matchesMask(name, pattern))
                names.push_back(name);
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end(), lessIgnoringCase);

    std::vector<DirectoryEntry> entries;
    for (const std::string& name : names) {
        struct stat st;
        const std::string full = resolvedFolder + (resolvedFolder.back() == '/' ? "" : "/") + name;
        if (::stat(full.c_str(), &st) != 0)
            continue;
        const bool isFolder = S_ISDIR(st.st_mode);
        if (isFolder && !(attributeMask & Attribute::Directory))
            continue;
        if (!isFolder && !S_ISREG(st.st_mode))
            continue;
        // A hidden entry is listed only to a caller that asks for hidden
        // entries, as a folder is only to one that asks for folders: a
        // wildcard attachment must never pick up a file the user hid.
        const bool isHidden = name.front() == '.';
        if (isHidden && !(attributeMask & Attribute::Hidden))
            continue;
        DirectoryEntry e;
        e.NAME = name;
        e.SHORTNAME = shortName(name);
        std::tm tm{};
        localtime_r(&st.st_mtime, &tm);
        e.DATE = dateSerial(tm);
        e.TIME = timeValue(tm);
        e.SIZE =
            static_cast<std::int32_t>(std::min<std::int64_t>(st.st_size, std::numeric_limits<std::int32_t>::max()));
        e.ATTRIB = isFolder ? Attribute::Directory : Attribute::Archive;
        if (isReadOnly(st))
            e.ATTRIB |= Attribute::ReadOnly;
        if (isHidden)
            e.ATTRIB |= Attribute::Hidden;
        entries.push_back(e);
    }
    return entries;
}

} // namespace fw::fs
