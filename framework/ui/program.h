#pragma once
// Start and end of a program that runs on the framework.

#include <functional>

namespace fw::ui {

// Runs a program: keeps the command line (fw::core::commandLine()), starts
// the window system (offscreen when there is no
// display), runs every module initialiser, then the main procedure on
// thread 1. When main returns, every window still open, of every thread, is
// asked to close and the threads are let run until none can go on (so their
// loops end and their procedures finish); whatever is still open then is
// closed. Then the modules' closing steps run, and the result is the exit
// code 0.
[[nodiscard]] int runProgram(int argc, char** argv, const std::function<void()>& mainProcedure);

// The end of the program without the start: closes every window of every
// thread as runProgram() does after main.
void closeAllWindows();

} // namespace fw::ui
