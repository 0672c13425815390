#include "framework/fs/case_lookup.h"

#include <dirent.h>

#include <algorithm>

namespace fw::fs {

namespace {

thread_local FolderSnapshot* currentSnapshot = nullptr;

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string lowerAscii(std::string_view name)
{
    std::string lowered(name);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), [](char c) { return lowerAscii(c); });
    return lowered;
}

bool equalsLowered(std::string_view name, std::string_view lowered)
{
    return std::equal(name.begin(), name.end(), lowered.begin(), lowered.end(),
                      [](char a, char b) { return lowerAscii(a) == b; });
}

// Calls `each` with every entry's name; false when the folder cannot be
// opened.
template <typename Each>
bool listFolder(const std::string& folder, Each&& each)
{
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return false;
    while (const dirent* entry = ::readdir(dir))
        each(std::string_view(entry->d_name));
    ::closedir(dir);
    return true;
}

} // namespace

FolderSnapshot::FolderSnapshot()
{
    if (!currentSnapshot) {
        currentSnapshot = this;
        active_ = true;
    }
}

FolderSnapshot::~FolderSnapshot()
{
    if (active_)
        currentSnapshot = nullptr;
}

std::optional<std::string> findIgnoringCase(const std::string& folder, std::string_view component)
{
    const std::string wanted = lowerAscii(component);
    if (FolderSnapshot* snapshot = currentSnapshot) {
        auto known = snapshot->folders_.find(folder);
        if (known == snapshot->folders_.end()) {
            FolderSnapshot::CaseIndex index;
            const bool listed = listFolder(folder, [&index](std::string_view name) {
                auto [at, added] = index.try_emplace(lowerAscii(name), name);
                if (!added && name < at->second)
                    at->second = std::string(name);
            });
            // A folder that cannot be listed is asked again next time, as
            // it would be without a snapshot.
            if (!listed)
                return std::nullopt;
            known = snapshot->folders_.emplace(folder, std::move(index)).first;
        }
        const auto match = known->second.find(wanted);
        if (match == known->second.end())
            return std::nullopt;
        return match->second;
    }

    std::optional<std::string> best;
    (void)listFolder(folder, [&](std::string_view name) { // a folder that cannot be listed holds no match
        if (equalsLowered(name, wanted) && (!best || name < *best))
            best = std::string(name);
    });
    return best;
}

} // namespace fw::fs
