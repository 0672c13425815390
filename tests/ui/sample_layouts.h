#pragma once
// Layouts shaped like the programs' own windows (a progress window, an
// application frame with menu and toolbar, a notice), and the picture files
// they name, written into a scratch folder.

#include <string>

#include "framework/ui/layout.h"

namespace uitest {

fw::ui::WindowLayout progressLayout();
fw::ui::WindowLayout frameLayout();
fw::ui::WindowLayout noticeLayout();

// A scratch folder that is removed when the test passed and kept (and
// named on standard error) when it failed.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// Writes "pic.gif", "pic.ico", "pic.jpg" and "hand.cur" (hot spot 3, 5) into
// `folder`, and makes it a resource folder of the layouts.
void writePictures(const std::string& folder);

} // namespace uitest
