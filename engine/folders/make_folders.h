#pragma once
// Making sure a folder path exists, level by level, before files are written
// into it. Fire and forget: nothing is reported and no caller checks.

#include <string>

namespace engine {

// Creates `path` and every level of it below its first, from the top down.
// In a path of backslashes only the backslash separates levels; a path that
// holds a forward slash has every missing level created, "/" and "\" both
// separating them (see make_folders.cpp). The routine works on its own copy of
// the value, of the same width: when the clipped path already fills that
// width, no trailing backslash is added. Pass the whole field, padding
// included, so that the width is the field's.
void MakeFolders(std::string path);

} // namespace engine
