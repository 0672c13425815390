#pragma once
// Whether the program has a screen a person looks at.

namespace fw::ui {

// True when a QApplication exists and runs on a platform with a screen; false
// without one, and on the offscreen and minimal platforms (tests, servers).
bool hasDisplay();

} // namespace fw::ui
