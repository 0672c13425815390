#pragma once
// Report layouts as data.
//
// A layout is a table: the paper, the report font, the detail area and the
// bands with their controls. All positions and sizes are thousandths of an
// inch. Page header and footer bands are placed on the page by their own x
// and y; detail bands are stacked in the detail area from its top, at the
// area's x plus the band's x. A control is placed from its band's top left
// corner (a negative y reaches above the band).
//
// A font or colour that a control does not set comes from its band, and
// what the band does not set comes from the report font; what the report
// font leaves unset is "Arial", 10 points, weight 400, character set 0,
// black. Font styles are weights (400 normal, 700 bold) with Italic added.
// Colours are 0x00BBGGRR.
//
// Layouts are static tables: a ReportLayout and everything its spans reach
// must live as long as the program (the registry keeps the spans, not
// copies of the controls).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace fw::report {

using Color = std::uint32_t;

inline constexpr int Normal = 400;
inline constexpr int Bold = 700;
inline constexpr int Italic = 0x1000;

struct FontSpec {
    std::string_view name{};      // empty: inherited
    int size = 0;                 // points; 0: inherited
    int style = 0;                // weight plus Italic; 0: inherited
    int charSet = -1;             // -1: inherited
    std::optional<Color> color{}; // unset: inherited
};

enum class ControlKind : std::uint8_t {
    String,     // a fixed text
    Box,        // a frame in its colour (the border), not filled
    Line,       // from (x, y) to (x + width, y + height), in its colour
    Field,      // a bound variable through its picture
    PageNumber, // the page's number through its picture
};

struct Control {
    ControlKind kind = ControlKind::String;
    int x = 0;
    int y = 0;
    int width = 0;                // 0: sized to the content, the text is not clipped
    int height = 0;               // 0: the font's line height
    std::string_view text{};      // String
    std::size_t field = 0;        // Field: position among the report's bound fields, from 1
    std::string_view picture{};   // Field, PageNumber
    FontSpec font{};              // String, Field, PageNumber
    std::optional<Color> color{}; // Box, Line; unset: the report font's colour
};

enum class BandKind : std::uint8_t { PageHeader, Detail, PageFooter };

struct Band {
    BandKind kind = BandKind::Detail;
    int x = 0;
    int y = 0; // page header and footer only
    int width = 0;
    int height = 0;
    FontSpec font{};
    std::span<const Control> controls{};
};

// A paper by its Windows paper number, with its portrait size.
struct Paper {
    int number = 9;
    int width = 8268;
    int height = 11693;
};
inline constexpr Paper PaperLetter{1, 8500, 11000};
inline constexpr Paper PaperA4{9, 8268, 11693};

enum class Orientation : std::uint8_t { Portrait, Landscape };

struct Area {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct ReportLayout {
    Paper paper = PaperA4;
    Orientation orientation = Orientation::Portrait;
    FontSpec font{};
    Area detailArea{};
    std::span<const Band> bands{};

    // The page in logical units, the paper turned for landscape.
    int pageWidth() const { return orientation == Orientation::Portrait ? paper.width : paper.height; }
    int pageHeight() const { return orientation == Orientation::Portrait ? paper.height : paper.width; }
};

} // namespace fw::report
