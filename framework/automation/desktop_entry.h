#pragma once
// The desktop's description of a program (a .desktop file) and the command
// it gives for opening something.
//
// A desktop names its default programs by desktop file ("thunderbird.desktop",
// "org.gnome.Evolution.desktop"); the file's Exec key says how the program is
// started ("/usr/bin/thunderbird %u", "evolution %U", "flatpak run ... %u")
// and its Terminal key whether it needs a terminal (NeoMutt). The file is
// read with GLib's key-file reader and the Exec line split with its shell
// quoting rules, as the desktop itself does.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fw::automation {

struct DesktopEntry {
    std::vector<std::string> exec; // the Exec line split into words, field codes still in
    bool terminal = false;
};

// The entry of `desktopId` from the first applications folder that holds it:
// $XDG_DATA_HOME/applications (~/.local/share/applications), then those of
// $XDG_DATA_DIRS (/usr/local/share:/usr/share). An id "vendor-app.desktop"
// is also looked for as "vendor/app.desktop". Nothing when no folder holds
// it or it has no Exec line.
std::optional<DesktopEntry> findDesktopEntry(std::string_view desktopId);

// The command that starts the entry's program on `arguments`: they take the
// place of its first file or URL field code (%f %F %u %U), or follow the
// words when it has none; the other field codes are dropped and "%%" is
// "%". A terminal program is started in the user's terminal: $TERMINAL, else
// x-terminal-emulator, with "-e" before the program.
std::vector<std::string> commandFor(const DesktopEntry& entry, const std::vector<std::string>& arguments);

} // namespace fw::automation
