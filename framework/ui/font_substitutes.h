#pragma once
// The faces that stand in for the Windows fonts the layouts, reports and
// mails name, where those fonts are not installed (a Linux desktop has none
// of them). Wherever the framework draws text (windows, the preview, the
// printed pages) a named face that is missing is looked up here, and the
// first substitute that is installed is drawn instead; a named face that is
// installed is drawn as it is. The page files and the mails keep the names
// their layouts give.
//
// Metric-compatible faces come first: they have the same advance widths as
// the Windows face, so a text takes the room its layout gave it and does not
// run into the next column. Where no free face shares the metrics, the
// nearest in width and design stands in. The package is the Debian package
// of the first substitute, which scripts/install-deps.sh installs.
//
// Widths below are of a line of report text, relative to Arial.
//
// The table is data only and Qt-free; the Qt backend hands it to
// QFont::insertSubstitutions() once, when the window system starts.

#include <array>
#include <string_view>

namespace fw::ui {

struct FontSubstitute {
    std::string_view face;                       // as the layouts and mails name it
    std::array<std::string_view, 2> substitutes; // nearest first; an empty name is none
    std::string_view package;                    // the Debian package of the first substitute
};

inline constexpr FontSubstitute FontSubstitutes[] = {
    // Liberation Sans, Serif and Mono are drawn to the metrics of Arial,
    // Times New Roman and Courier New; ChromeOS's Arimo, Tinos and Cousine
    // share them too.
    {"Arial", {"Liberation Sans", "Arimo"}, "fonts-liberation"},
    {"Times New Roman", {"Liberation Serif", "Tinos"}, "fonts-liberation"},
    {"Courier New", {"Liberation Mono", "Cousine"}, "fonts-liberation"},
    // No free face has Arial Black's weight. DejaVu Sans is the widest
    // common sans (1.13, 1.20 in bold), nearest to Arial Black's broad
    // letters; Liberation Sans would set the text far narrower.
    {"Arial Black", {"DejaVu Sans", "Liberation Sans"}, "fonts-dejavu-core"},
    // Century Gothic was drawn to the metrics of ITC Avant Garde Gothic,
    // and Bookman Old Style to those of ITC Bookman; URW's Gothic and
    // Bookman (and TeX Gyre's Adventor and Bonum) reproduce those.
    {"Century Gothic", {"URW Gothic", "TeX Gyre Adventor"}, "fonts-urw-base35"},
    {"Bookman Old Style", {"URW Bookman", "TeX Gyre Bonum"}, "fonts-urw-base35"},
    // Comic Relief is metric-compatible with Comic Sans MS but not packaged
    // for Debian; Comic Neue is the same casual hand, a little narrower
    // (0.96), so a text keeps within its column.
    {"Comic Sans MS", {"Comic Relief", "Comic Neue"}, "fonts-comic-neue"},
    // Verdana's wide proportions (1.15) are Bitstream Vera's, from which
    // DejaVu Sans (1.13) grew.
    {"Verdana", {"DejaVu Sans", ""}, "fonts-dejavu-core"},
    // No free face shares Sylfaen's metrics. Noto Serif is a text serif of
    // its proportions (1.06, large x-height) with Latin, Greek and Cyrillic,
    // and its Georgian and Armenian sister families cover the rest of what
    // Sylfaen was made for; DejaVu Serif covers the same scripts but is
    // wider (1.14).
    {"Sylfaen", {"Noto Serif", "DejaVu Serif"}, "fonts-noto-core"},
    // Terminal is the fixed-pitch OEM face of a console window; a sans
    // monospace face of about its cell stands in.
    {"Terminal", {"DejaVu Sans Mono", "Liberation Mono"}, "fonts-dejavu-core"},
    // The dialog fonts: window layouts are measured in dialog units of
    // their font, and Liberation Sans keeps MS Sans Serif's proportions.
    {"MS Sans Serif", {"Liberation Sans", ""}, "fonts-liberation"},
    {"MS Shell Dlg", {"Liberation Sans", ""}, "fonts-liberation"},
    // Batang is the Korean myeongjo (serif) face; Un Batang is the free
    // face drawn as its counterpart.
    {"Batang", {"UnBatang", ""}, "fonts-unfonts-core"},
};

} // namespace fw::ui
