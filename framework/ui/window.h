#pragma once
// A window made from a stored layout, and its event loop.
//
// Life of a window: create() builds it from its layout with the variables
// bound in the order the layout's `use` numbers give; open() shows it and
// queues the open-window event; nextEvent() is the event loop: it waits
// (a wait of the current framework thread, so other threads run meanwhile)
// and returns true with event(), accepted() and keyCode() set, or false once
// the window has closed. After a close-window event has been handed out, the
// next call closes the window and ends the loop. close() hides it; the
// destructor destroys it.
//
// Bound variables: each time the loop asks for the next event, controls whose
// variable has changed since it was last shown are brought up to date
// (redraw() does so at once). A user's change goes into the variable before
// the accepted event is queued: an entry when the user leaves it or presses
// Enter after changing it, an option box when a radio is clicked.
//
// The header is free of Qt so that any library may use windows.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/binding.h"
#include "framework/core/error.h"
#include "framework/threads/scheduler.h"
#include "framework/ui/event.h"
#include "framework/ui/layout.h"

namespace fw::ui {

class WindowView;

class Window {
public:
    // The window of `label` / `moduleKey`, not yet open. Fails when no such
    // layout is stored or a control's `use` names a variable not given.
    [[nodiscard]] static core::Expected<std::unique_ptr<Window>>
        create(std::string_view label, std::string_view moduleKey, std::vector<core::Binding> bindings = {});
    // A window from a layout that is not stored (tests, generated windows).
    [[nodiscard]] static core::Expected<std::unique_ptr<Window>> create(const WindowLayout& layout,
                                                                        std::vector<core::Binding> bindings = {});
    ~Window(); // destroys the window, closing it first when it is open
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    const WindowLayout& layout() const;
    threads::ThreadNumber thread() const; // the thread that created it, whose events it gets

    void open();
    void close();
    bool isOpen() const;

    // The event loop (see above).
    bool nextEvent();
    Event event() const;
    int accepted() const; // the control the current event belongs to (0: none)
    int keyCode() const;
    EventRecord current() const;

    // Queues an event for this window (from any framework thread).
    void post(Event event, int control = 0);

    // Numbered controls and menu items; `last` 0 means just `first`.
    void hide(int first, int last = 0);
    void show(int first, int last = 0);
    // Brings controls up to date with their variables: one control, or all (0).
    void redraw(int control = 0);
    void setText(int control, std::string_view text);
    // The control that has the keyboard focus when the window opens (and at
    // once when it is open already); 0 leaves the choice to the window.
    void setFirstField(int control);
    int firstField() const;

    // What a person sees.
    bool isVisible(int control) const; // false for a number the window lacks
    std::string text(int control) const;
    std::string title() const;
    void setTitle(std::string_view title);

    // Properties.
    std::uintptr_t systemHandle() const;
    int timer() const; // hundredths of a second; 0 = off
    void setTimer(int hundredths);
    // Alert slot `slot` (the layouts use 255, 254, ...) to a key code of
    // KeyCode; key code 0 frees the slot. An alerted action anywhere on the
    // window queues an alert-key event with its key code.
    void setAlertKey(int slot, int keyCode);
    void clearAlertKeys();
    bool isAlerted(int keyCode) const;
    bool isHidden() const;
    void setHidden(Hidden hidden);
    // A mouse cursor over the whole window from a .cur file (found like the
    // layout's resources); fails, keeping the cursor it had, when the file
    // cannot be found or read as a cursor.
    [[nodiscard]] core::Expected<void> setCursorFile(std::string_view fileName);

    // Drops timer events still waiting in the queue.
    void dropPendingTimerEvents();

    WindowView& view(); // the Qt side (framework/ui/qt/window_view.h)

private:
    Window(const WindowLayout& layout, std::vector<core::Binding> bindings);

    std::unique_ptr<WindowView> m_view;
};

// Queues `event` for the window current on thread `thread` (the one it
// opened last and that is still open). When the thread has no open window
// yet, the event waits for the next window it opens; posts to a thread that
// has ended are dropped.
void postEvent(threads::ThreadNumber thread, Event event, int control = 0);

// The window current on the running thread, or nullptr.
Window* currentWindow();
// Every open window, of every thread, oldest first.
std::vector<Window*> openWindows();
// The system handle of the running thread's current window (0 when none).
std::uintptr_t currentWindowHandle();
// Drops pending timer events of every window of the running thread, so that
// a routine that hands control to another program does not come back to a
// burst of stale timer events.
void drainPendingTimerEvents();

} // namespace fw::ui
