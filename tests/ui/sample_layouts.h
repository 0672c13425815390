#pragma once
// Layouts shaped like the programs' own windows (a progress window, an
// application frame with menu and toolbar, a notice), and the picture files
// they name, written into a scratch folder.

#include <string>

#include "framework/ui/layout.h"
#include "tests/support/temp_folder.h"

namespace uitest {

fw::ui::WindowLayout progressLayout();
fw::ui::WindowLayout frameLayout();
fw::ui::WindowLayout noticeLayout();

// A scratch folder that is removed when the test passed and kept (and
// named on standard error) when it failed.
class ScratchFolder : public test_support::TempFolder {
public:
    ScratchFolder() : TempFolder("uitest") {}
};

// Writes "pic.gif", "pic.ico", "pic.jpg" and "hand.cur" (hot spot 3, 5) into
// `folder`, and makes it a resource folder of the layouts.
void writePictures(const std::string& folder);

} // namespace uitest
