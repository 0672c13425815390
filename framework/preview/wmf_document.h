#pragma once
// A page file, read and checked: what the WMF player paints.
//
// A placeable metafile is a frame (bounding box and units per inch) and a list
// of GDI records that refer to each other through an object table: a record
// creates a pen in the lowest free slot, a later one selects slot 3, another
// deletes it. The parser resolves all of that while it checks the file, so a
// document holds only drawing commands whose objects are values: "select this
// pen", never "select slot 3". Painting a document can therefore not go wrong
// on a bad index, a missing object or a record that lies about its size; every
// such fault was found before the first pixel was drawn.
//
// Coordinates are the file's logical units (16-bit, as GDI keeps them); the
// painter maps them through the window origin and extent onto the target.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "framework/report/wmf_records.h"

namespace fw::preview {

// The placeable header's bounding box, in units of 1/unitsPerInch inch.
struct WmfFrame {
    std::int16_t left = 0;
    std::int16_t top = 0;
    std::int16_t right = 0;
    std::int16_t bottom = 0;
    std::uint16_t unitsPerInch = 0;

    int width() const { return int(right) - int(left); }
    int height() const { return int(bottom) - int(top); }
    double widthInches() const { return double(width()) / unitsPerInch; }
    double heightInches() const { return double(height()) / unitsPerInch; }
};

struct WmfColor {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const WmfColor&, const WmfColor&) = default;
};

struct WmfPoint {
    std::int16_t x = 0;
    std::int16_t y = 0;
    friend bool operator==(const WmfPoint&, const WmfPoint&) = default;
};

struct WmfRect {
    std::int16_t left = 0;
    std::int16_t top = 0;
    std::int16_t right = 0;
    std::int16_t bottom = 0;
    friend bool operator==(const WmfRect&, const WmfRect&) = default;
};

enum class WmfPenStyle : std::uint8_t { Solid, Dash, Dot, DashDot, DashDotDot, Null, InsideFrame };

struct WmfPen {
    WmfPenStyle style = WmfPenStyle::Solid;
    std::int16_t width = 0; // logical units; 0 is one device pixel
    WmfColor color;
};

enum class WmfBrushStyle : std::uint8_t { Solid, Null, Hatched };
enum class WmfHatch : std::uint8_t { Horizontal, Vertical, ForwardDiagonal, BackwardDiagonal, Cross, DiagonalCross };

struct WmfBrush {
    WmfBrushStyle style = WmfBrushStyle::Solid;
    WmfColor color{255, 255, 255};
    WmfHatch hatch = WmfHatch::Horizontal;
};

struct WmfFont {
    std::int16_t height = 0;     // < 0: character height, > 0: cell height, 0: default size
    std::int16_t width = 0;      // average character width; 0: natural
    std::int16_t escapement = 0; // tenths of a degree, counter-clockwise
    std::int16_t weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::uint8_t charSet = 0;
    std::uint8_t pitchAndFamily = 0;
    std::string faceName; // as stored, up to the first NUL (at most 32 bytes)
};

enum class WmfBackgroundMode : std::uint8_t { Transparent, Opaque };
enum class WmfFillRule : std::uint8_t { Alternate, Winding };
enum class WmfArcKind : std::uint8_t { Arc, Pie, Chord };

// Text alignment flags and ExtTextOut options, as the page writer writes
// them (wmf_records.h).
namespace WmfAlign = report::WmfAlign;
namespace WmfTextOption = report::WmfTextOption;

// clang-format off
struct WmfSelectPen { WmfPen pen; };
struct WmfSelectBrush { WmfBrush brush; };
struct WmfSelectFont { WmfFont font; };
struct WmfSetTextColor { WmfColor color; };
struct WmfSetBackgroundColor { WmfColor color; };
struct WmfSetBackgroundMode { WmfBackgroundMode mode; };
struct WmfSetTextAlign { std::uint16_t align; };
struct WmfSetFillRule { WmfFillRule rule; };
struct WmfSetWindowOrg { WmfPoint origin; };
struct WmfSetWindowExt { WmfPoint extent; }; // never 0 on either axis
struct WmfMoveTo { WmfPoint to; };
struct WmfLineTo { WmfPoint to; };
struct WmfRectangle { WmfRect rect; };
struct WmfRoundRect { WmfRect rect; std::int16_t cornerWidth; std::int16_t cornerHeight; };
struct WmfEllipse { WmfRect rect; };
struct WmfArc { WmfArcKind kind; WmfRect rect; WmfPoint start; WmfPoint end; };
struct WmfPolyline { std::vector<WmfPoint> points; };
struct WmfPolygon { std::vector<WmfPoint> points; };
struct WmfPolyPolygon { std::vector<std::vector<WmfPoint>> polygons; };
struct WmfSetPixel { WmfPoint at; WmfColor color; };
struct WmfFillRect { WmfRect rect; std::optional<WmfColor> color; }; // no colour: the brush
// clang-format on
struct WmfText {
    WmfPoint at;
    std::string bytes; // in the selected font's character set
    std::uint16_t options = 0;
    std::optional<WmfRect> rect;
    std::vector<std::int16_t> dx; // empty, or one advance per byte
};
// clang-format off
struct WmfSaveState {};
struct WmfRestoreState { std::uint32_t depth; }; // the saved states left afterwards
struct WmfIntersectClip { WmfRect rect; };
struct WmfExcludeClip { WmfRect rect; };
// clang-format on

using WmfCommand =
    std::variant<WmfSelectPen, WmfSelectBrush, WmfSelectFont, WmfSetTextColor, WmfSetBackgroundColor,
                 WmfSetBackgroundMode, WmfSetTextAlign, WmfSetFillRule, WmfSetWindowOrg, WmfSetWindowExt, WmfMoveTo,
                 WmfLineTo, WmfRectangle, WmfRoundRect, WmfEllipse, WmfArc, WmfPolyline, WmfPolygon, WmfPolyPolygon,
                 WmfSetPixel, WmfFillRect, WmfText, WmfSaveState, WmfRestoreState, WmfIntersectClip, WmfExcludeClip>;

struct WmfDocument {
    WmfFrame frame;
    bool checksumMatches = true; // the placeable header's XOR of its first ten words
    std::uint16_t objectTableSize = 0;
    std::uint32_t recordCount = 0; // records read, the end record included
    std::vector<WmfCommand> commands;
};

} // namespace fw::preview
