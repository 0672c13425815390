#pragma once
// The Qt application behind the framework's windows.

namespace fw::ui {

// Creates the QApplication once (later calls return at once) and installs
// the framework threads' event pump. Without a display (neither DISPLAY nor
// WAYLAND_DISPLAY set, and no platform chosen in QT_QPA_PLATFORM) it runs
// on the offscreen platform, so a program started on a server still works.
// Without arguments the program name "reportmail" stands in. Every call
// makes sure the faces of font_substitutes.h stand in for the Windows fonts
// (installed once, also when the program made its application itself).
void startWindowSystem(int argc = 0, char** argv = nullptr);

} // namespace fw::ui
