#pragma once
// The mouse cursor of the whole program while it works.

namespace fw::ui {

// Shows the wait cursor over every window until resetCursor(); setting it
// again while it shows changes nothing.
void setWaitCursor();
// Back to each window's own cursor.
void resetCursor();
bool isWaitCursor();

} // namespace fw::ui
