#pragma once
// Starting another program without waiting for it.
//
// The program is found on PATH and started with exactly the arguments given:
// no shell sees them, so a path full of quotes, semicolons or "$(...)" is
// only a name. The started program is detached (its own session, standard
// input from /dev/null) and reaped in the background, so it leaves no zombie
// and outlives us if it wants to.

#include <string>
#include <vector>

namespace fw::core {

// True when the program could be started; false when it was not found or the
// system refused. Never waits for the program to finish.
bool launchDetached(const std::string& program, const std::vector<std::string>& arguments);

} // namespace fw::core
