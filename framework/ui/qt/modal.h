#pragma once
// Modal dialogs inside the cooperative scheduler.
//
// QDialog::exec() spins a nested event loop on the native stack. Called on a
// framework thread it would keep every other framework thread from running
// until the dialog closes, and a second exec() from another thread would nest
// inside the first. execModal() instead opens the dialog window-modal and
// lets the calling framework thread wait for it like any other wait, so the
// scheduler keeps serving the other threads meanwhile.

class QDialog;

namespace fw::ui {

// Shows `dialog` modally and returns its result code (QDialog::result()) once
// it is finished, or QDialog::Rejected when the dialog was deleted meanwhile.
// The dialog is modal to the windows of the calling thread (to the whole
// program when that thread has no window); while it is up the calling thread
// waits, so every other framework thread goes on running. While it is up the
// dialog is a child of that thread's current window, which only that thread
// (waiting here) could destroy.
int execModal(QDialog& dialog);

} // namespace fw::ui
