#pragma once
// Driving windows from tests as a person would, on the real Qt backend.
//
// Tests run as thread 1: every helper that has to wait for something does so
// with waitFor(), which lets the other framework threads and the window
// system run and gives up (returning false) when a watchdog goes off, so a
// test fails instead of hanging. Input goes through Qt's own input path
// (QTest), so the widgets and the window's event filtering see what a real
// click or key press would give them. The helpers that act do not wait;
// follow them with waitFor() on what the window should do.

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "framework/ui/window.h"

namespace fw::ui::drive {

// Waits until `done()` holds; false when `limit` passed first. The limit is
// only a watchdog against a hang, never a measurement.
[[nodiscard]] bool waitFor(const std::function<bool()>& done,
                           std::chrono::milliseconds limit = std::chrono::seconds(20));

// The next event of a window that the test itself runs (one created on
// thread 1), taken with the watchdog; none when the loop ended or the
// watchdog went off.
[[nodiscard]] std::optional<EventRecord> nextEvent(Window& window,
                                                   std::chrono::milliseconds limit = std::chrono::seconds(20));

// The open window made from layout `label` (and `moduleKey`, unless empty),
// the one opened last when there are several; nullptr when none is open.
// waitForWindow() waits until there is one (nullptr when the watchdog went off).
Window* findWindow(std::string_view label, std::string_view moduleKey = {});
[[nodiscard]] Window* waitForWindow(std::string_view label, std::string_view moduleKey = {},
                                    std::chrono::milliseconds limit = std::chrono::seconds(20));

// Waits until `window` is open, shown and exposed to input.
[[nodiscard]] bool waitUntilShown(const Window& window);

void chooseMenuItem(Window& window, int item);
void clickButton(Window& window, int button);
void clickRadio(Window& window, int radio);
// Clicks into the entry, replaces its text by typing `text` and presses Enter.
void typeInto(Window& window, int entry, std::string_view text);

enum class Mouse { Left, Right, LeftDouble };
// A click on the window's own surface (not on one of its controls).
void clickWindow(Window& window, Mouse mouse);

// Activates a window of its own elsewhere, so the active window loses the
// focus; giveFocusBack() removes that window again.
void takeFocusAway();
void giveFocusBack();
bool isActive(const Window& window);

// The status-bar message a menu item shows.
std::string statusMessage(Window& window, int item);

// Ends the dialog shown last (by execModal(), a message box with a display)
// with `result` (QDialog's codes: 1 accepted, 0 rejected); false when no
// dialog is up.
[[nodiscard]] bool finishModalDialog(int result);

// Saves what the window shows as a PNG file, for a reviewer to look at.
[[nodiscard]] bool saveAsPng(Window& window, const std::string& path);

} // namespace fw::ui::drive
