#include "engine/shell/shell_open.h"

#include "framework/core/launch.h"
#include "framework/core/text.h"
#include "framework/fs/path.h"

namespace engine {

namespace {

// The path travels as a NUL-terminated string in a 255-byte field.
constexpr std::size_t MaxPath = 254;

std::function<void()>& timerDrain()
{
    static std::function<void()> drain;
    return drain;
}

// A web or mail address goes to the desktop as it stands; anything else is a
// path in the system's form, which meets the operating system here: its
// backslashes become slashes and its names are found in any case, so the
// named copy "Report.rtf" opens the "Report.RTF" the builder wrote.
std::string forTheDesktop(const std::string& prepared)
{
    if (prepared.empty() || prepared.find("://") != std::string::npos || prepared.starts_with("mailto:"))
        return prepared;
    return fw::fs::resolve(prepared).string();
}

} // namespace

void ShellOpen(std::int32_t windowHandle, std::string path)
{
    // The desktop places the program it starts itself; it takes no parent window.
    (void)windowHandle;
    const std::string prepared(fw::core::clip(fw::core::trimLeft(path)).substr(0, MaxPath));
    // Nobody acts on whether anything could open it.
    (void)fw::core::launchDetached("xdg-open", {forTheDesktop(prepared)});
    if (timerDrain())
        timerDrain()();
}

void setShellOpenTimerDrain(std::function<void()> drain) { timerDrain() = std::move(drain); }

} // namespace engine
