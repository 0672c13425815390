#pragma once
// The notice window: shown on a thread of its own when the frame opens, it
// closes on a left click, a right click or a left double click anywhere on
// it, when it loses the focus, or when the frame posts it the close-window
// event. No timer closes it.

namespace zorvane {

// The notice's window procedure; the thread it runs on ends when it returns.
// Its layout must be registered (registerNoticeModule() or
// fw::ui::registerLayout(noticeLayout())).
void Popup();

// Registers the notice's module initialiser, which stores its layout.
void registerNoticeModule();

} // namespace zorvane
