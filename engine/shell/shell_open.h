#pragma once
// Handing a file or a web address to the desktop, which opens it with the
// user's default program for it.

#include <cstdint>
#include <functional>
#include <string>

namespace engine {

// Trims `path` at both ends, cuts it at 254 characters and starts `xdg-open`
// with it as its one argument (a file path mapped to the operating system's
// form and found in any case, a web address as it stands), without a shell (quotes, semicolons and
// "$(...)" in the path stay part of the name) and without waiting for the
// program it opens. Nothing is reported: a path that nothing can open, an
// empty path or a missing xdg-open leave the caller to go on as usual. Then
// the timer events that piled up meanwhile are drained (see below).
// `windowHandle` is the caller's window; the desktop does not need it.
void ShellOpen(std::int32_t windowHandle, std::string path);

// The window system sets this to a routine that drains pending timer events
// once it runs; until then ShellOpen drains nothing.
void setShellOpenTimerDrain(std::function<void()> drain);

} // namespace engine
