#pragma once
// Everything zorvane registers with the framework before its main procedure
// runs, in the order the modules must start: the program's data initialiser
// first of its priority, then the windows of the frame, the notice, the
// reports and the "Send email" window; the frame and the data dictionary the
// start-up runs; the wiring the frame's menu needs; and the message box that
// tells what went wrong with a mail.

#include <string>

namespace zorvane {

// `resourceFolder`: where the program's pictures lie (after the current
// directory, which is looked at first).
void registerProgramModules(const std::string& resourceFolder);

} // namespace zorvane
