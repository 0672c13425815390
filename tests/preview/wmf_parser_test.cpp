// The reading half of the WMF player: what it accepts, what it makes of it,
// and the exact error it gives for every kind of broken file.

#include "framework/preview/wmf_parser.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/preview/wmf_bytes.h"
#include "tests/support/temp_folder.h"

namespace fw::preview {
namespace {

using test::WmfBytes;

std::string hex(const WmfColor& c)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02x%02x%02x", c.red, c.green, c.blue);
    return buf;
}
std::string xy(const WmfPoint& p) { return std::to_string(p.x) + "," + std::to_string(p.y); }
std::string box(const WmfRect& r) { return xy({r.left, r.top}) + "-" + xy({r.right, r.bottom}); }

// One line per command, so a whole parse compares as a list of texts.
struct Describe {
    std::string operator()(const WmfSelectPen& c) const
    {
        return "pen " + std::to_string(int(c.pen.style)) + " " + std::to_string(c.pen.width) + " " + hex(c.pen.color);
    }
    std::string operator()(const WmfSelectBrush& c) const
    {
        return "brush " + std::to_string(int(c.brush.style)) + " " + hex(c.brush.color) + " " +
               std::to_string(int(c.brush.hatch));
    }
    std::string operator()(const WmfSelectFont& c) const
    {
        return "font " + std::to_string(c.font.height) + " " + std::to_string(c.font.weight) + " cs" +
               std::to_string(c.font.charSet) + " '" + c.font.faceName + "'";
    }
    std::string operator()(const WmfSetTextColor& c) const { return "textcolour " + hex(c.color); }
    std::string operator()(const WmfSetBackgroundColor& c) const { return "bkcolour " + hex(c.color); }
    std::string operator()(const WmfSetBackgroundMode& c) const
    {
        return c.mode == WmfBackgroundMode::Opaque ? "bkmode opaque" : "bkmode transparent";
    }
    std::string operator()(const WmfSetTextAlign& c) const { return "align " + std::to_string(c.align); }
    std::string operator()(const WmfSetFillRule& c) const
    {
        return c.rule == WmfFillRule::Winding ? "fill winding" : "fill alternate";
    }
    std::string operator()(const WmfSetWindowOrg& c) const { return "org " + xy(c.origin); }
    std::string operator()(const WmfSetWindowExt& c) const { return "ext " + xy(c.extent); }
    std::string operator()(const WmfMoveTo& c) const { return "moveto " + xy(c.to); }
    std::string operator()(const WmfLineTo& c) const { return "lineto " + xy(c.to); }
    std::string operator()(const WmfRectangle& c) const { return "rect " + box(c.rect); }
    std::string operator()(const WmfRoundRect& c) const
    {
        return "roundrect " + box(c.rect) + " " + std::to_string(c.cornerWidth) + "x" + std::to_string(c.cornerHeight);
    }
    std::string operator()(const WmfEllipse& c) const { return "ellipse " + box(c.rect); }
    std::string operator()(const WmfArc& c) const
    {
        return "arc" + std::to_string(int(c.kind)) + " " + box(c.rect) + " " + xy(c.start) + " " + xy(c.end);
    }
    std::string points(const std::vector<WmfPoint>& ps) const
    {
        std::string s;
        for (const auto& p : ps)
            s += " " + xy(p);
        return s;
    }
    std::string operator()(const WmfPolyline& c) const { return "polyline" + points(c.points); }
    std::string operator()(const WmfPolygon& c) const { return "polygon" + points(c.points); }
    std::string operator()(const WmfPolyPolygon& c) const
    {
        std::string s = "polypolygon";
        for (const auto& p : c.polygons)
            s += " [" + points(p) + " ]";
        return s;
    }
    std::string operator()(const WmfSetPixel& c) const { return "pixel " + xy(c.at) + " " + hex(c.color); }
    std::string operator()(const WmfFillRect& c) const
    {
        return "fill " + box(c.rect) + (c.color ? " " + hex(*c.color) : std::string(" brush"));
    }
    std::string operator()(const WmfText& c) const
    {
        std::string s = "text " + xy(c.at) + " '" + c.bytes + "' opt" + std::to_string(c.options);
        if (c.rect)
            s += " " + box(*c.rect);
        for (auto d : c.dx)
            s += " " + std::to_string(d);
        return s;
    }
    std::string operator()(const WmfSaveState&) const { return "save"; }
    std::string operator()(const WmfRestoreState& c) const { return "restore " + std::to_string(c.depth); }
    std::string operator()(const WmfIntersectClip& c) const { return "clip " + box(c.rect); }
    std::string operator()(const WmfExcludeClip& c) const { return "exclude " + box(c.rect); }
};

std::vector<std::string> describe(const WmfDocument& d)
{
    std::vector<std::string> lines;
    for (const auto& c : d.commands)
        lines.push_back(std::visit(Describe{}, c));
    return lines;
}

std::uint16_t w(char a, char b) { return std::uint16_t(std::uint8_t(a) | (std::uint8_t(b) << 8)); }

// ---------------------------------------------------------------------------
// Broken files: each row is a file and the exact error it must give.

struct BadFile {
    const char* name;
    std::function<std::vector<std::uint8_t>()> bytes;
    std::string error;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const BadFile& row, std::ostream* os) { *os << row.name; }

// clang-format off
const BadFile badFiles[] = {
    {"EmptyFile", [] { return std::vector<std::uint8_t>(); },
     "WMF player: the file has 0 bytes, too few for the placeable and metafile headers"},
    {"CutInsideTheHeaders", [] { auto b = WmfBytes().bytes(); b.resize(39); return b; },
     "WMF player: the file has 39 bytes, too few for the placeable and metafile headers"},
    {"WrongKey", [] { auto b = WmfBytes().end().bytes(); b[0] = 0x01; return b; },
     "WMF player: the file does not start with the placeable key 0x9AC6CDD7"},
    {"ZeroUnitsPerInch", [] { return WmfBytes(8000, 11000, 0).end().bytes(); },
     "WMF player: the units per inch are 0"},
    {"EmptyBoundingBox", [] { return WmfBytes(0, 11000).end().bytes(); },
     "WMF player: the bounding box 0,0 to 0,11000 is empty"},
    {"UpsideDownBoundingBox", [] { return WmfBytes(8000, -5).end().bytes(); },
     "WMF player: the bounding box 0,0 to 8000,-5 is empty"},
    {"NotAStandardMetafileHeader", [] { auto m = WmfBytes(); m.setUint16(24, 7); return m.end().bytes(); },
     "WMF player: the metafile header is not one of a standard metafile"},
    {"ObjectTableAboveTheLimit", [] { return WmfBytes(8000, 11000, 1000, 5000).end().bytes(); },
     "WMF player: the object table of 5000 entries is above the limit of 4096"},
    {"NoEndRecord", [] { return WmfBytes().moveTo(1, 1).bytes(); },
     "WMF player: the file ends without an end record"},
    {"RecordHeaderCut", [] { return WmfBytes().rawBytes(std::string_view("\x05\x00\x00", 3)).bytes(); },
     "WMF player: record 1 (function 0x0000 at byte 40): the record header needs 6 bytes but only 3 are left"},
    {"ZeroSizeRecord", [] { return WmfBytes().rawRecord(0, 0x0214, {1, 1}).end().bytes(); },
     "WMF player: record 1 (function 0x0214 at byte 40): the size of 0 words is below the minimum of 3"},
    {"TwoWordRecord", [] { return WmfBytes().rawRecord(2, 0x0214, {1, 1}).end().bytes(); },
     "WMF player: record 1 (function 0x0214 at byte 40): the size of 2 words is below the minimum of 3"},
    {"HugeSizeRecord", [] { return WmfBytes().rawRecord(0xFFFFFFFF, 0x0214, {1, 1}).bytes(); },
     "WMF player: record 1 (function 0x0214 at byte 40): the size of 4294967295 words does not fit in the 5 "
     "words left"},
    {"SizeOneWordBeyondTheFile", [] { return WmfBytes().rawRecord(6, 0x0214, {1, 1}).bytes(); },
     "WMF player: record 1 (function 0x0214 at byte 40): the size of 6 words does not fit in the 5 words left"},
    {"ObjectIndexOutsideTheTable", [] { return WmfBytes().select(8).end().bytes(); },
     "WMF player: record 1 (function 0x012D at byte 40): object index 8 is outside the object table of 8 "
     "entries"},
    {"ObjectIndexInEmptyTable", [] { return WmfBytes(8000, 11000, 1000, 0).select(0).end().bytes(); },
     "WMF player: record 1 (function 0x012D at byte 40): object index 0 is outside the object table of 0 "
     "entries"},
    {"SelectNeverCreated", [] { return WmfBytes().select(2).end().bytes(); },
     "WMF player: record 1 (function 0x012D at byte 40): object 2 does not exist"},
    {"SelectDeleted", [] { return WmfBytes().pen(0, 1, 0).remove(0).select(0).end().bytes(); },
     "WMF player: record 3 (function 0x012D at byte 64): object 0 does not exist"},
    {"DeleteTwice", [] { return WmfBytes().pen(0, 1, 0).remove(0).remove(0).end().bytes(); },
     "WMF player: record 3 (function 0x01F0 at byte 64): object 0 does not exist"},
    {"DeleteOutsideTheTable", [] { return WmfBytes().remove(9).end().bytes(); },
     "WMF player: record 1 (function 0x01F0 at byte 40): object index 9 is outside the object table of 8 "
     "entries"},
    {"SelectObjectOnPalette", [] { return WmfBytes().record(0x00F7, {0x0300, 0}).select(0).end().bytes(); },
     "WMF player: record 2 (function 0x012D at byte 50): object 0 is a palette, which SelectObject cannot "
     "select"},
    {"SelectPaletteOnPen", [] { return WmfBytes().pen(0, 1, 0).record(0x0234, {0}).end().bytes(); },
     "WMF player: record 2 (function 0x0234 at byte 56): object 0 is not a palette"},
    {"FillRegionOnPen", [] { return WmfBytes().pen(0, 1, 0).record(0x0228, {0, 0}).end().bytes(); },
     "WMF player: record 2 (function 0x0228 at byte 56): object 0 is not a region"},
    {"FillRegionWithPalette",
     [] { return WmfBytes().record(0x06FF, {0}).record(0x00F7, {0x0300, 0}).record(0x0228, {0, 1}).end().bytes(); },
     "WMF player: record 3 (function 0x0228 at byte 58): object 1 is not a brush"},
    {"ObjectTableFull",
     [] { return WmfBytes(8000, 11000, 1000, 1).pen(0, 1, 0).brush(0, 0).end().bytes(); },
     "WMF player: record 2 (function 0x02FC at byte 56): the object table of 1 entry is full"},
    {"PolylinePointsBeyondTheRecord", [] { return WmfBytes().record(0x0325, {5, 1, 1, 2, 2}).end().bytes(); },
     "WMF player: record 1 (function 0x0325 at byte 40): 5 points do not fit in the 8 bytes left in the "
     "record"},
    {"PolygonCountHuge", [] { return WmfBytes().record(0x0324, {0xFFFF}).end().bytes(); },
     "WMF player: record 1 (function 0x0324 at byte 40): 65535 points do not fit in the 0 bytes left in the "
     "record"},
    {"PolyPolygonCountsBeyondTheRecord", [] { return WmfBytes().record(0x0538, {9, 1, 1}).end().bytes(); },
     "WMF player: record 1 (function 0x0538 at byte 40): 9 polygon counts do not fit in the 4 bytes left in "
     "the record"},
    {"PolyPolygonPointsBeyondTheRecord",
     [] { return WmfBytes().record(0x0538, {2, 3, 3, 0, 0, 1, 1, 2, 2}).end().bytes(); },
     "WMF player: record 1 (function 0x0538 at byte 40): 6 points do not fit in the 12 bytes left in the "
     "record"},
    {"TextLongerThanTheRecord", [] { return WmfBytes().record(0x0521, {10, w('a', 'b'), 0, 0}).end().bytes(); },
     "WMF player: record 1 (function 0x0521 at byte 40): a text of 10 bytes does not fit in the 6 bytes left "
     "in the record"},
    {"NegativeTextLength", [] { return WmfBytes().record(0x0521, {0xFFFF, 0, 0}).end().bytes(); },
     "WMF player: record 1 (function 0x0521 at byte 40): a text of -1 bytes does not fit in the 4 bytes left "
     "in the record"},
    {"TextWithoutItsPosition", [] { return WmfBytes().record(0x0521, {2, w('a', 'b')}).end().bytes(); },
     "WMF player: record 1 (function 0x0521 at byte 40): the record is too short for its parameters"},
    {"ExtTextLongerThanTheRecord",
     [] { return WmfBytes().record(0x0A32, {0, 0, 20, 0, w('a', 'b')}).end().bytes(); },
     "WMF player: record 1 (function 0x0A32 at byte 40): a text of 20 bytes does not fit in the 2 bytes left "
     "in the record"},
    {"ExtTextClipRectangleMissing", [] { return WmfBytes().record(0x0A32, {0, 0, 0, 4, 1, 1}).end().bytes(); },
     "WMF player: record 1 (function 0x0A32 at byte 40): the record is too short for its parameters"},
    {"PenRecordTooShort", [] { return WmfBytes().record(0x02FA, {0, 1}).end().bytes(); },
     "WMF player: record 1 (function 0x02FA at byte 40): the record is too short for its parameters"},
    {"BrushRecordTooShort", [] { return WmfBytes().record(0x02FC, {0, 0}).end().bytes(); },
     "WMF player: record 1 (function 0x02FC at byte 40): the record is too short for its parameters"},
    {"FontRecordTooShort", [] { return WmfBytes().record(0x02FB, {0xFFF0, 0, 0}).end().bytes(); },
     "WMF player: record 1 (function 0x02FB at byte 40): the record is too short for its parameters"},
    {"SelectWithoutIndex", [] { return WmfBytes().record(0x012D).end().bytes(); },
     "WMF player: record 1 (function 0x012D at byte 40): the record is too short for its parameters"},
    {"RectangleMissingACorner", [] { return WmfBytes().record(0x041B, {1, 2, 3}).end().bytes(); },
     "WMF player: record 1 (function 0x041B at byte 40): the record is too short for its parameters"},
    {"RestoreWithoutSave", [] { return WmfBytes().restoreDc(-1).end().bytes(); },
     "WMF player: record 1 (function 0x0127 at byte 40): RestoreDC -1 names no saved state (0 saved)"},
    {"RestoreBeyondTheSaved", [] { return WmfBytes().saveDc().restoreDc(2).end().bytes(); },
     "WMF player: record 2 (function 0x0127 at byte 46): RestoreDC 2 names no saved state (1 saved)"},
    {"RestoreZero", [] { return WmfBytes().saveDc().restoreDc(0).end().bytes(); },
     "WMF player: record 2 (function 0x0127 at byte 46): RestoreDC 0 names no saved state (1 saved)"},
    {"TooManySavedStates",
     [] {
         WmfBytes m;
         for (int i = 0; i < 257; ++i)
             m.saveDc();
         return m.end().bytes();
     },
     "WMF player: record 257 (function 0x001E at byte 1576): more than 256 saved states"},
    {"ZeroWindowExtent", [] { return WmfBytes().windowExt(0, 100).end().bytes(); },
     "WMF player: record 1 (function 0x020C at byte 40): the window extent 0,100 is 0 on one axis"},
    {"EscapeSizeBeyondTheFile", [] { return WmfBytes().rawRecord(400, 0x0626, {15, 4, 0, 0}).end().bytes(); },
     "WMF player: record 1 (function 0x0626 at byte 40): the size of 400 words does not fit in the 10 words "
     "left"},
    {"MoreRecordsThanTheCap",
     [] {
         WmfBytes m;
         for (std::uint32_t i = 0; i < WmfMaxRecords; ++i)
             m.record(0x0999);
         return m.end().bytes();
     },
     "WMF player: the file has more than 1000000 records"},
};
// clang-format on

class BrokenFile : public ::testing::TestWithParam<BadFile> {};

TEST_P(BrokenFile, GivesItsError)
{
    const auto result = parseWmf(GetParam().bytes());
    ASSERT_FALSE(result.has_value());
    EXPECT_EQ(result.error().text(), GetParam().error);
    EXPECT_EQ(result.error().layer, "WMF player");
}

INSTANTIATE_TEST_SUITE_P(WmfParser, BrokenFile, ::testing::ValuesIn(badFiles),
                         [](const auto& info) { return std::string(info.param.name); });

// Every prefix of a good page is a truncated file: each must fail cleanly
// with an error, never read outside the bytes given.
TEST(WmfParser, EveryTruncationOfAGoodPageFails)
{
    const auto good = WmfBytes()
                          .font(-120, "Arial", 700)
                          .select(0)
                          .pen(0, 10, 0x0000FF)
                          .select(1)
                          .textOut(100, 100, "Hello")
                          .rectangle(10, 10, 500, 500)
                          .polyline(0x0325, {{1, 1}, {2, 2}, {3, 3}})
                          .end()
                          .bytes();
    ASSERT_TRUE(parseWmf(good).has_value());
    for (std::size_t n = 0; n < good.size(); ++n) {
        const std::vector<std::uint8_t> cut(good.begin(), good.begin() + std::ptrdiff_t(n));
        EXPECT_FALSE(parseWmf(cut).has_value()) << "cut at " << n;
    }
}

// ---------------------------------------------------------------------------
// Good files: each row is a file and the commands it must give.

struct GoodFile {
    const char* name;
    std::function<std::vector<std::uint8_t>()> bytes;
    std::vector<std::string> commands;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const GoodFile& row, std::ostream* os) { *os << row.name; }

// clang-format off
const GoodFile goodFiles[] = {
    {"ObjectsAreResolvedToTheirValues",
     [] {
         return WmfBytes()
             .pen(0, 10, 0x0000FF)
             .brush(0, 0x00FF00)
             .select(0)
             .select(1)
             .remove(0)
             .pen(1, 20, 0xFF0000) // takes the freed slot 0
             .select(0)
             .end()
             .bytes();
     },
     {"pen 0 10 ff0000", "brush 0 00ff00 0", "pen 1 20 0000ff"}},
    {"PenAndBrushStyles",
     [] {
         return WmfBytes()
             .pen(5, 0, 0)
             .select(0)
             .pen(0x0204, 3, 0) // dash-dot-dot with an end cap flag
             .select(1)
             .brush(1, 0)
             .select(2)
             .brush(2, 0x123456, 5)
             .select(3)
             .brush(2, 0x123456, 9) // a hatch GDI does not have: solid
             .select(4)
             .end()
             .bytes();
     },
     {"pen 5 0 000000", "pen 4 3 000000", "brush 1 000000 0", "brush 2 563412 5", "brush 0 563412 0"}},
    {"FontWithShortenedFaceName",
     [] {
         return WmfBytes()
             .record(0x02FB, {std::uint16_t(-100), 0, 0, 0, 700, 0, 0x0200, 0, 0, w('A', 'r'), w('i', 'a'),
                              w('l', 0)})
             .select(0)
             .end()
             .bytes();
     },
     {"font -100 700 cs2 'Arial'"}},
    {"FontWithFullFaceName", [] { return WmfBytes().font(-167, "Times New Roman", 400, 0).select(0).end().bytes(); },
     {"font -167 400 cs0 'Times New Roman'"}},
    {"StateRecords",
     [] {
         return WmfBytes()
             .textColor(0x00336699)
             .bkColor(0x00FFFFFF)
             .bkMode(1)
             .bkMode(2)
             .bkMode(7) // not a mode: ignored
             .textAlign(24)
             .record(0x0106, {2})
             .windowOrg(-5, 7)
             .windowExt(8000, -11000)
             .end()
             .bytes();
     },
     {"textcolour 996633", "bkcolour ffffff", "bkmode transparent", "bkmode opaque", "align 24", "fill winding",
      "org -5,7", "ext 8000,-11000"}},
    {"Shapes",
     [] {
         return WmfBytes()
             .moveTo(1, 2)
             .lineTo(3, 4)
             .rectangle(10, 20, 30, 40)
             .ellipse(1, 2, 3, 4)
             .record(0x061C, {6, 5, 40, 30, 20, 10})
             .record(0x0817, {8, 7, 6, 5, 40, 30, 20, 10})
             .record(0x081A, {8, 7, 6, 5, 40, 30, 20, 10})
             .record(0x0830, {8, 7, 6, 5, 40, 30, 20, 10})
             .polyline(0x0325, {{1, 1}, {5, 9}})
             .polyline(0x0324, {{0, 0}, {9, 0}, {9, 9}})
             .record(0x0538, {2, 2, 1, 0, 0, 1, 1, 7, 7})
             .record(0x041F, {0x00FF, 0, 5, 6})
             .end()
             .bytes();
     },
     {"moveto 1,2", "lineto 3,4", "rect 10,20-30,40", "ellipse 1,2-3,4", "roundrect 10,20-30,40 5x6",
      "arc0 10,20-30,40 5,6 7,8", "arc1 10,20-30,40 5,6 7,8", "arc2 10,20-30,40 5,6 7,8", "polyline 1,1 5,9",
      "polygon 0,0 9,0 9,9", "polypolygon [ 0,0 1,1 ] [ 7,7 ]", "pixel 6,5 ff0000"}},
    {"PatBltRasterOperations",
     [] {
         return WmfBytes()
             .record(0x061D, {0x0021, 0x00F0, 10, 20, 3, 4})
             .record(0x061D, {0x0042, 0x0000, 10, 20, 3, 4})
             .record(0x061D, {0x0062, 0x00FF, 10, 20, 3, 4})
             .record(0x061D, {0x0046, 0x0066, 10, 20, 3, 4}) // needs a destination: not drawn
             .end()
             .bytes();
     },
     {"fill 4,3-24,13 brush", "fill 4,3-24,13 000000", "fill 4,3-24,13 ffffff"}},
    {"Texts",
     [] {
         return WmfBytes()
             .textOut(100, 200, "Odd")
             .textOut(1, 2, "")
             .record(0x0A32, {20, 10, 2, 0, w('h', 'i')})
             .record(0x0A32, {20, 10, 3, 4, 1, 2, 3, 4, w('a', 'b'), w('c', 0), 7, 8, 9})
             .record(0x0A32, {20, 10, 2, 2, 1, 2, 3, 4, w('x', 'y'), 5}) // too few advances: none kept
             .end()
             .bytes();
     },
     {"text 100,200 'Odd' opt0", "text 1,2 '' opt0", "text 10,20 'hi' opt0", "text 10,20 'abc' opt4 1,2-3,4 7 8 9",
      "text 10,20 'xy' opt2 1,2-3,4"}},
    {"SavedStates",
     [] { return WmfBytes().saveDc().saveDc().saveDc().restoreDc(-2).saveDc().restoreDc(1).end().bytes(); },
     {"save", "save", "save", "restore 1", "save", "restore 0"}},
    {"ClipRecords",
     [] { return WmfBytes().intersectClip(1, 2, 3, 4).record(0x0415, {40, 30, 20, 10}).end().bytes(); },
     {"clip 1,2-3,4", "exclude 10,20-30,40"}},
    {"SkippedRecordsDrawNothing",
     [] {
         return WmfBytes()
             .record(0x0626, {15, 4, w('a', 'b'), w('c', 'd')}) // an escape is never acted on
             .record(0x0103, {8})                             // mapping mode
             .record(0x020E, {100, 100})                      // viewport extent
             .record(0x0940, {1, 2, 3, 4, 5, 6, 7, 8})        // a bitmap
             .record(0x0999, {1, 2})                          // unknown
             .record(0x06FF, {0, 0, 0})                       // a region takes slot 0
             .record(0x012C, {0})                             // and may be selected for clipping
             .pen(0, 1, 0)                                    // slot 1
             .select(1)
             .end()
             .bytes();
     },
     {"pen 0 1 000000"}},
    {"BytesAfterTheEndRecordAreIgnored",
     [] { return WmfBytes().moveTo(1, 2).end().rawBytes("not a record at all").bytes(); }, {"moveto 1,2"}},
};
// clang-format on

class GoodPage : public ::testing::TestWithParam<GoodFile> {};

TEST_P(GoodPage, GivesItsCommands)
{
    const auto result = parseWmf(GetParam().bytes());
    ASSERT_TRUE(result.has_value()) << result.error().text();
    EXPECT_EQ(describe(*result), GetParam().commands);
}

INSTANTIATE_TEST_SUITE_P(WmfParser, GoodPage, ::testing::ValuesIn(goodFiles),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WmfParser, ReadsTheFrameAndTheChecksum)
{
    WmfBytes page(8270, 11690, 1000, 3);
    page.end();
    auto good = parseWmf(page.bytes());
    ASSERT_TRUE(good.has_value());
    EXPECT_EQ(good->frame.right, 8270);
    EXPECT_EQ(good->frame.bottom, 11690);
    EXPECT_EQ(good->frame.unitsPerInch, 1000);
    EXPECT_DOUBLE_EQ(good->frame.widthInches(), 8.27);
    EXPECT_EQ(good->objectTableSize, 3);
    EXPECT_EQ(good->recordCount, 1u);
    EXPECT_TRUE(good->checksumMatches);

    // Writers are known to get the checksum wrong; the page is still shown,
    // and the mismatch is there for whoever checks.
    page.breakChecksum();
    auto broken = parseWmf(page.bytes());
    ASSERT_TRUE(broken.has_value());
    EXPECT_FALSE(broken->checksumMatches);
}

TEST(WmfParser, LoadsFilesWithoutRegardToCase)
{
    test_support::TempFolder folder{"preview-test"};
    const std::string name = folder.file("PAGE1.wmf");
    {
        std::ofstream out(name, std::ios::binary);
        const auto bytes = WmfBytes().moveTo(3, 4).end().bytes();
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    auto found = loadWmf(folder.file("page1.WMF   "));
    ASSERT_TRUE(found.has_value()) << found.error().text();
    EXPECT_EQ(describe(*found), std::vector<std::string>{"moveto 3,4"});

    auto missing = loadWmf(folder.file("none.wmf"));
    ASSERT_FALSE(missing.has_value());
    EXPECT_EQ(missing.error().text(), "WMF player: page file " + folder.file("none.wmf") + " cannot be opened");
}

} // namespace
} // namespace fw::preview
