#pragma once
// Stored window layouts: a window is data, a table of controls.
//
// Each procedure module stores its layouts under a label ("P1$APPFRAME") and
// its module key ("zorvane$zorva001"); Window::create() looks them up there.
// Positions and sizes are in dialog units, which the window turns into
// pixels from its font: a horizontal unit is a quarter of the font's average
// character width, a vertical unit an eighth of its height. Numbers of menus,
// menu items and toolbar controls are negative, those of the window's own
// controls positive, as the layouts of the programs number them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fw::ui {

// A colour as the layouts store it: 0x00BBGGRR (red in the lowest byte).
using Color = std::uint32_t;
constexpr Color rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return Color{red} | (Color{green} << 8) | (Color{blue} << 16);
}

struct Font {
    std::string name{};           // empty: the window's (or the system's) font
    int points = 0;               // 0: the window's size
    int weight = 0;               // 400 regular, 700 bold; 0: the window's
    std::optional<Color> color{}; // none: the window's text colour
};

// x, y, width and height in dialog units; a width or height of 0 lets the
// control take its own size (an image its picture's, a text its text's).
struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

enum class ControlKind : std::uint8_t {
    Menu,      // a menu on the menu bar; its items name it as their parent
    MenuItem,  // an item of a menu, or of the menu bar itself (parent 0)
    Text,      // a text shown as it stands, or its bound variable
    Entry,     // an editable entry with a picture, bound to a variable
    OptionBox, // a frame of radio buttons, bound to the variable they choose
    Radio,     // one radio button of the option box named as its parent
    ProgressBar,
    Button,
    Image,      // a picture file: GIF, ICO, JPEG and what else Qt reads
    OleControl, // an automation object's place in the window
};

// Where a control sits: in the window's client area or in the frame's
// toolbar (positions are then relative to the toolbar).
enum class Area : std::uint8_t { Client, Toolbar };

enum class Hidden : std::uint8_t { No, Yes };

struct ControlLayout {
    int number = 0;
    ControlKind kind = ControlKind::Text;
    std::string text{}; // caption, fixed text, or an image's file name
    Rect rect{};
    int parent = 0; // a menu item's menu, a radio's option box
    Area area = Area::Client;
    int use = 0;            // position (from 1) in the window's bound variables; 0 = none
    std::string picture{};  // an entry's picture: "@n3" (number of 3 digits), "@s200" (200 characters)
    std::string message{};  // a menu item's status-bar message
    std::int32_t value = 0; // a radio's value
    int rangeLow = 0;       // a progress bar's range
    int rangeHigh = 100;
    Font font{}; // what the control sets of its own; the rest is the window's
    std::optional<Color> background{};
    std::string cursor{}; // a .cur file shown over the control
    Hidden hidden = Hidden::No;
};

enum class WindowKind : std::uint8_t {
    Frame, // an application frame: menu bar, toolbar, status bar
    Plain, // a window of its own controls only
};

struct WindowLayout {
    std::string label{};     // "P1$APPFRAME"
    std::string moduleKey{}; // "zorvane$zorva001"
    WindowKind kind = WindowKind::Plain;
    std::string title{};
    int width = 0; // dialog units
    int height = 0;
    Font font{}; // the window's font: name, points, weight, text colour
    std::optional<Color> background{};
    std::string icon{};    // a .ico file for the window's title bar
    std::string cursor{};  // a .cur file shown over the whole window
    int toolbarHeight = 0; // dialog units; 0: as high as its controls need
    int timer = 0;         // hundredths of a second; 0: no timer
    std::vector<ControlLayout> controls{};
};

// The registry of stored layouts. Label and module key are compared without
// regard to case and trailing blanks. Registering a layout under a label and
// key already taken replaces the stored one. Modules register their layouts
// from their module initialisers (before the main procedure runs).
void registerLayout(WindowLayout layout);
// The layout stays valid for the rest of the program (a later registration
// under the same label and key changes it in place).
const WindowLayout* findLayout(std::string_view label, std::string_view moduleKey);

// Folders where the file names of icons, images and cursors are looked for,
// after the current directory (in the order added). A name is found without
// regard to case, as the layouts spell the files freely.
void addResourceFolder(std::string folder);
// The full path of a resource file, or empty when it is found nowhere.
std::string findResource(std::string_view name);

} // namespace fw::ui
