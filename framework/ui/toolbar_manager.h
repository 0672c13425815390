#pragma once
// The toolbar manager of a window procedure. A frame's toolbar here holds
// only the procedure's own controls, whose events the window manager hands
// to the procedure like any other; the manager sees every event first and
// may take it (a non-zero result stops its handling).

#include <cstdint>

namespace fw::ui {

class Window;
struct EventRecord;

class ToolbarManager {
public:
    virtual ~ToolbarManager() = default;
    [[nodiscard]] virtual std::uint8_t takeEvent(Window& window, const EventRecord& event);
};

} // namespace fw::ui
