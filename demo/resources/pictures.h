#pragma once
// The pictures the demonstration shows, drawn by the program itself: the
// frame's icon and picture, the notice's icon and its hand cursor.

#include <string>
#include <vector>

namespace zorvane {

struct PictureFile {
    std::string name;  // as the layouts name it
    std::string bytes; // the whole file
};

// The four files, drawn afresh. Needs a Qt GUI application for the fonts.
std::vector<PictureFile> demonstrationPictures();

} // namespace zorvane
