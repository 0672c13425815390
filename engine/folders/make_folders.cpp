// The walk: first the whole path (with its trailing backslash), then, for
// every backslash after the first, the text in front of it. The text in front
// of the first backslash (a drive, or nothing for a path that starts with a
// backslash, or the first level of a relative path) is never created on its
// own. Every result is ignored: a level that exists or cannot be made does
// not stop the walk, and the callers' own file operations fail later on
// their own terms.
//
// A path that holds a forward slash was written the way this platform writes
// paths ("/home/ann/reports/2026", "copies/a/b", or the current directory
// followed by "\KR\"). It has no drive in front, so its walk counts both
// separators and creates every level: from the root for an absolute path
// (the root itself, the empty text in front of the first "/", is never
// created) and from the current folder for a relative one, whose first level
// is a folder like any other. A path of backslashes only keeps the walk above
// exactly.

#include "engine/folders/make_folders.h"

#include <string_view>

#include "framework/core/text.h"
#include "framework/fs/file_ops.h"

namespace engine {

namespace {

// A folder name reaches the system as at most 255 characters.
constexpr std::size_t MaxFolderName = 255;

// Each result is ignored: a level that exists already, or that cannot be
// created, does not stop the walk, and the file written into the folder
// says in the end whether it was there.
void attempt(std::string_view folder) { (void)fw::fs::createFolder(folder.substr(0, MaxFolderName)); }

bool isSeparator(char c) { return c == '\\' || c == '/'; }

// Every level in front of a separator, from the top down. An empty level (a
// leading "/", or two separators in a row) names no folder of its own.
void walkEveryLevel(std::string_view folder)
{
    for (std::size_t pos = 1; pos < folder.size(); ++pos)
        if (isSeparator(folder[pos]) && !isSeparator(folder[pos - 1]))
            attempt(folder.substr(0, pos));
}

} // namespace

void MakeFolders(std::string path)
{
    const std::size_t width = path.size();
    std::string folder(fw::core::clip(path));
    if (folder.empty())
        return;
    if (folder.back() != '\\' && folder.size() < width)
        folder += '\\';

    attempt(folder);

    if (folder.find('/') != std::string::npos) {
        walkEveryLevel(folder);
        return;
    }
    const std::size_t first = folder.find('\\');
    if (first == std::string::npos)
        return;
    for (std::size_t pos = folder.find('\\', first + 1); pos != std::string::npos; pos = folder.find('\\', pos + 1))
        attempt(std::string_view(folder).substr(0, pos));
}

} // namespace engine
