#pragma once
// The user's mail program, as the desktop names it.
//
// The desktop keeps a default program for mailto: links (the "mail" choice
// of its settings) and one for message files (message/rfc822, the .eml
// files); `xdg-mime query default` names either by its desktop file. The
// program for mailto: links is the user's mail program; where the desktop
// names none, the program for message files stands in.
//
// The programs differ in what they take (draft_opener.h says what each
// gets), so the few known ones are told apart by their desktop id.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace fw::automation {

enum class MailProgram : std::uint8_t {
    None,        // the desktop names no program for mail
    Thunderbird, // Thunderbird and its rebuilds: an X-Unsent file opens as a draft to edit
    Evolution,   // Evolution: its composer opens from a mailto: link
    Mutt,        // NeoMutt and Mutt: "-H draft" composes from the file, in a terminal
    Other,       // any other program
};

struct MailHandler {
    std::string desktopId; // "org.gnome.Evolution.desktop"; empty for MailProgram::None
    MailProgram program = MailProgram::None;
};

// Which program a desktop id names (without regard to case:
// "org.mozilla.Thunderbird.desktop" is Thunderbird as well).
MailProgram mailProgramOf(std::string_view desktopId);

// The desktop's program for mailto: links, else the one for message files.
MailHandler desktopMailHandler();

// Test seam: while set, the desktop id for a MIME type ("x-scheme-handler/
// mailto", "message/rfc822") comes from `query` instead of xdg-mime; an
// empty answer means none. An empty function restores xdg-mime.
void setMailHandlerQueryForTesting(std::function<std::string(std::string_view mimeType)> query);

} // namespace fw::automation
