#pragma once
// The open windows of all threads, and the events posted to a thread before
// it had a window to take them. Only the window code uses it.

#include <deque>
#include <vector>

#include "framework/ui/window.h"

namespace fw::ui::registry {

void opened(Window& window);
void closed(Window& window);
const std::vector<Window*>& openWindows();
// Events posted to `thread` while it had no open window, handed to the
// first window it opens.
std::deque<EventRecord> takePending(threads::ThreadNumber thread);
void addPending(threads::ThreadNumber thread, const EventRecord& record);

} // namespace fw::ui::registry
