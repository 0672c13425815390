#pragma once
// Window events as the event loop hands them to window procedures.

#include <cstdint>

namespace fw::ui {

enum class Event : std::uint8_t {
    None,
    OpenWindow,  // first event after the window opened
    Accepted,    // a control or menu item was chosen (control 0: posted to the window)
    Timer,       // the window's timer went off (pending timer events merge into one)
    CloseWindow, // the window is asked to close; the loop ends after this event
    FocusLost,   // the window stopped being the active one
    AlertKey,    // an alerted key or mouse action; keyCode() tells which
};

// Key codes of the mouse actions that windows alert.
namespace KeyCode {
inline constexpr int MouseLeft = 1;
inline constexpr int MouseRight = 2;
inline constexpr int MouseLeftDouble = 5;
} // namespace KeyCode

struct EventRecord {
    Event event = Event::None;
    int control = 0; // 0: the event belongs to no control
    int keyCode = 0;
};

} // namespace fw::ui
