#pragma once
// The application frame of zorvane: the program's one interactive surface.
// Its menu starts the reports, the mails without a report and the bulk mail
// (frame_procedures.h) and opens the maker's web page; its toolbar sets the
// mail mode and the RTF folder. When it opens it starts the notice window on
// a thread of its own.

namespace zorvane {

// Runs the frame until the user closes it. The frame's layout must be
// registered (registerFrameModule() or fw::ui::registerLayout(frameLayout()));
// the notice's too, for the notice to show. The running thread's global
// response holds the window manager's result afterwards.
void Main();

// Registers the frame's module initialiser, which stores its layout.
void registerFrameModule();

} // namespace zorvane
