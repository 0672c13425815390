#pragma once
// Module initialisers: each module of a program registers one routine that
// the framework calls with flag 0 before the main procedure and with flag 1
// after it. Start runs from the highest priority to the lowest, modules of
// equal priority in the order they registered; the end runs in exactly the
// reverse order, so a module is shut down before anything it relies on.

#include <functional>

namespace fw::core {

using ModuleInitialiser = std::function<void(int flag)>;

void registerModuleInitialiser(int priority, ModuleInitialiser initialiser);

// Runs every registered initialiser with flag 0, in start order.
void runModuleStart();

// Runs every registered initialiser with a non-zero flag, in end order, and
// forgets them.
void runModuleEnd();

} // namespace fw::core
