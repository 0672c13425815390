#pragma once
// The framework's message box. Usable from any library: it does not expose Qt.
//
// The text breaks into lines at every "|". With a display the box is modal
// to the calling thread's windows and returns the button chosen; while it is
// up the calling framework thread waits and the others run on. A program
// started without a display runs on the offscreen platform; then (and when
// no QApplication exists) the box writes "caption: text\n" (just "text\n"
// without a caption), the "|" turned into line breaks, to standard error in
// one write, and returns at once with the default button: `defaultButton`
// when it is among `buttons`, else the first of them in the order below.
// Buttons 0 means Ok. Closing the box without a button answers Cancel when
// the box has one, else the default.

#include <cstdint>
#include <string_view>

namespace fw::ui {

enum class Icon : std::uint8_t { None, Information, Question, Exclamation, Hand };

namespace Button {
inline constexpr unsigned Ok = 1;
inline constexpr unsigned Yes = 2;
inline constexpr unsigned No = 4;
inline constexpr unsigned Abort = 8;
inline constexpr unsigned Retry = 16;
inline constexpr unsigned Ignore = 32;
inline constexpr unsigned Cancel = 64;
} // namespace Button

// Returns the Button value chosen (or `defaultButton` when none could be).
unsigned message(std::string_view text, std::string_view caption = {}, Icon icon = Icon::None,
                 unsigned buttons = Button::Ok, unsigned defaultButton = 0);

} // namespace fw::ui
