#pragma once
// vextrel's main and frame procedures.
//
// The road of one run: the main procedure calls the frame procedure, whose
// window is created but never opened. Its start-up routine sets the mail mode
// to 2 and runs the goods report, which leaves the work folder settled and
// created; then it needs a first command-line word, takes the job number and
// the mail mode from the first two words, binds the engine's builder under
// "MakeHTMLFileBMKSW" and evaluates the call at the end of the command line.
//
// A command-line program must tell its caller what happened, so the run also
// has an exit status: 0 only when the builder ran and every call of it made
// every file it was asked for: the HTML body file, and in modes 1 to 4 the
// RTF document and its named copies. Otherwise what went wrong is said on
// standard error (no command line, a command line longer than its 10000
// characters, the expression's error, a command line that calls no builder,
// each file that was not made, naming it and why) and the status is 1.

namespace vextrel {

inline constexpr int ExitBuilt = 0;
inline constexpr int ExitNotBuilt = 1;

void VextrelMain();
void AppFrameProcedure();

// The exit status of the last run of the frame procedure (ExitNotBuilt
// before any).
int exitStatus();

} // namespace vextrel
