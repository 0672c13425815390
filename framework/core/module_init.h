#pragma once
// Module initialisers: each module of a program registers one routine that
// the framework calls for the module's start before the main procedure and
// for its end after it. Start runs from the highest priority to the lowest,
// modules of equal priority in the order they registered; the end runs in
// exactly the reverse order, so a module is shut down before anything it
// relies on.

#include <cstdint>
#include <functional>

namespace fw::core {

enum class ModuleStep : std::uint8_t { Start, End };

using ModuleInitialiser = std::function<void(ModuleStep step)>;

// The priority of a program's own modules, the lowest of a program: they
// start after every service registered at a higher priority and end before
// it. A data initialiser registered first at it starts before the program's
// other modules and ends after them.
inline constexpr int ProgramModulePriority = 5;

void registerModuleInitialiser(int priority, ModuleInitialiser initialiser);

// Runs every registered initialiser for its start, in start order.
void runModuleStart();

// Runs every registered initialiser for its end, in end order, and forgets
// them.
void runModuleEnd();

} // namespace fw::core
