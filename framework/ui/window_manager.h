#pragma once
// The window manager of a window procedure.
//
// A procedure creates its window, creates a manager over it with some of the
// operations below replaced, and calls run(): init(), the event loop, kill();
// the result of run() is the response, which run() also leaves in the
// thread's global response. A replaced operation calls the base operation
// first and returns at once with its result when that is non-zero.
//
// The event loop hands each event to takeEvent(): events that belong to a
// control go to takeFieldEvent() (which calls takeAccepted() for accepted
// events), events that belong to no control go to takeWindowEvent(). A
// non-zero result of takeEvent() ends the loop.

#include <cstdint>
#include <vector>

#include "framework/ui/event.h"

namespace fw::ui {

class Window;
class ToolbarManager;

// What a window procedure hands back to its caller in the global response.
namespace Response {
inline constexpr std::uint8_t Completed = 1;
inline constexpr std::uint8_t Cancelled = 2;
} // namespace Response

// What a control added with addItem() does when accepted.
enum class Action : std::uint8_t {
    None = 0,
    Cancel = 2, // response Cancelled, then the window closes
};

class WindowManager {
public:
    explicit WindowManager(Window& window);
    virtual ~WindowManager() = default;
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    // Base: readies the manager for a run; 0.
    [[nodiscard]] virtual std::uint8_t init();
    // Base: 0 the first time, non-zero when the manager was already killed.
    [[nodiscard]] virtual std::uint8_t kill();
    // init(); unless that gave non-zero, the event loop; kill(). Returns the
    // response and leaves it in the global response.
    [[nodiscard]] std::uint8_t run();

    [[nodiscard]] virtual std::uint8_t takeEvent();
    [[nodiscard]] virtual std::uint8_t takeFieldEvent();
    // Base: performs the action of an item added with addItem().
    [[nodiscard]] virtual std::uint8_t takeAccepted();
    // Base: nothing to do for any window event; 0.
    [[nodiscard]] virtual std::uint8_t takeWindowEvent();
    // Base: alerts nothing further (the window's own alert keys stay).
    virtual void setAlerts();

    void addItem(int control, Action action);
    void setToolbar(ToolbarManager* toolbar) { m_toolbar = toolbar; }

    Window& window() const { return m_window; }
    std::uint8_t request = 0;
    std::uint8_t response = 0;
    bool opened = false; // the procedure has opened the window
    bool isDead() const { return m_dead; }

private:
    struct Item {
        int control = 0;
        Action action = Action::None;
    };

    Window& m_window;
    ToolbarManager* m_toolbar = nullptr;
    std::vector<Item> m_items;
    bool m_dead = false;
};

} // namespace fw::ui
