#include "engine/shell/shell_open.h"

#include "framework/core/launch.h"
#include "framework/core/text.h"

namespace engine {

namespace {

// The path travels as a NUL-terminated string in a 255-byte field.
constexpr std::size_t MaxPath = 254;

std::function<void()>& timerDrain()
{
    static std::function<void()> drain;
    return drain;
}

} // namespace

void ShellOpen(std::int32_t windowHandle, std::string path)
{
    (void)windowHandle;
    const std::string prepared(fw::core::clip(fw::core::trimLeft(path)).substr(0, MaxPath));
    const bool started = fw::core::launchDetached("xdg-open", {prepared});
    (void)started; // nobody acts on whether anything could open it
    if (timerDrain())
        timerDrain()();
}

void setShellOpenTimerDrain(std::function<void()> drain) { timerDrain() = std::move(drain); }

} // namespace engine
