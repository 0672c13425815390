// The walk: first the whole path (with its trailing backslash), then, for
// every backslash after the first, the text in front of it. The text in front
// of the first backslash (a drive, or nothing for a path that starts with a
// backslash, or the first level of a relative path) is never created on its
// own. Every result is ignored: a level that exists or cannot be made does
// not stop the walk, and the callers' own file operations fail later on
// their own terms.

#include "engine/folders/make_folders.h"

#include <string_view>

#include "framework/core/text.h"
#include "framework/fs/file_ops.h"

namespace engine {

namespace {

// A folder name reaches the system as at most 255 characters.
constexpr std::size_t MaxFolderName = 255;

void attempt(std::string_view folder) { (void)fw::fs::createFolder(folder.substr(0, MaxFolderName)); }

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

    const std::size_t first = folder.find('\\');
    if (first == std::string::npos)
        return;
    for (std::size_t pos = folder.find('\\', first + 1); pos != std::string::npos; pos = folder.find('\\', pos + 1))
        attempt(std::string_view(folder).substr(0, pos));
}

} // namespace engine
