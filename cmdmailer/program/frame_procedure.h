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
// has an exit status: 0 only when the builder ran and every call of it wrote
// its HTML body file. Otherwise what went wrong is said on standard error (no
// command line, the expression's error, a command line that calls no builder,
// an HTML body file that could not be written) and the status is 1.

namespace cmdmailer::program {

inline constexpr int ExitBuilt = 0;
inline constexpr int ExitNotBuilt = 1;

void VextrelMain();
void AppFrameProcedure();

// The exit status of the last run of the frame procedure (ExitNotBuilt
// before any).
int exitStatus();

} // namespace cmdmailer::program
