// The drawing half of the WMF player, on Qt's offscreen platform: pages made
// byte by byte are painted into images and the pixels looked at where the
// records put lines, rectangles and text.

#include "framework/preview/qt/wmf_painter.h"

#include <functional>
#include <string>
#include <vector>

#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "framework/preview/qt/page_painter.h"
#include "framework/preview/wmf_parser.h"
#include "tests/preview/application.h"
#include "tests/preview/wmf_bytes.h"

namespace fw::preview {
namespace {

using test::WmfBytes;

// A4-like frame of 8270 x 11690 thousandths of an inch on an image of
// 827 x 1169 pixels: one pixel is ten logical units.
constexpr int ImageWidth = 827;
constexpr int ImageHeight = 1169;
WmfBytes a4(std::uint16_t objects = 8) { return WmfBytes(8270, 11690, 1000, objects); }

QImage render(const std::vector<std::uint8_t>& bytes)
{
    QImage image(ImageWidth, ImageHeight, QImage::Format_RGB32);
    image.fill(Qt::gray); // the page must paint its own white paper
    QPainter painter(&image);
    paintPage(painter, parseWmf(bytes), QRectF(0, 0, ImageWidth, ImageHeight));
    painter.end();
    return image;
}

constexpr std::uint32_t Red = 0x0000FF; // colours as GDI stores them: 0x00BBGGRR
constexpr std::uint32_t Green = 0x00FF00;
constexpr std::uint32_t Blue = 0xFF0000;
constexpr std::uint32_t Black = 0x000000;
constexpr std::uint32_t Yellow = 0x00FFFF;

struct Probe {
    int x;
    int y;
    QColor color;
};

struct ShapeCase {
    const char* name;
    std::function<WmfBytes()> page;
    std::vector<Probe> probes;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const ShapeCase& row, std::ostream* os) { *os << row.name; }

// clang-format off
const ShapeCase shapeCases[] = {
    {"FilledRectangleWithItsOutline",
     [] {
         return a4().brush(0, Red).select(0).pen(0, 40, Blue).select(1).rectangle(1000, 1000, 3000, 2000);
     },
     {{200, 150, Qt::red}, {100, 150, Qt::blue}, {300, 150, Qt::blue}, {200, 100, Qt::blue}, {50, 50, Qt::white},
      {400, 150, Qt::white}}},
    {"NullBrushLeavesTheInsideEmpty",
     [] { return a4().brush(1, 0).select(0).pen(0, 40, Black).select(1).rectangle(1000, 1000, 3000, 2000); },
     {{200, 150, Qt::white}, {100, 150, Qt::black}}},
    {"NullPenDrawsNoOutline",
     [] { return a4().brush(0, Red).select(0).pen(5, 40, Blue).select(1).rectangle(1000, 1000, 3000, 2000); },
     {{200, 150, Qt::red}, {101, 150, Qt::red}}},
    {"LineFromTheCurrentPosition",
     [] { return a4().pen(0, 40, Green).select(0).moveTo(0, 5000).lineTo(8270, 5000); },
     {{400, 500, Qt::green}, {10, 500, Qt::green}, {400, 490, Qt::white}, {400, 510, Qt::white}}},
    {"WindowExtentMapsOneUnitToAPixel",
     [] { return a4().windowExt(827, 1169).brush(0, Black).select(0).rectangle(10, 10, 20, 20); },
     {{15, 15, Qt::black}, {25, 25, Qt::white}, {5, 5, Qt::white}}},
    {"WindowOriginMovesThePicture",
     [] { return a4().windowOrg(-1000, -1000).brush(0, Black).select(0).rectangle(0, 0, 1000, 1000); },
     {{150, 150, Qt::black}, {50, 50, Qt::white}, {250, 250, Qt::white}}},
    {"FlippedWindowExtent",
     [] {
         return a4().windowOrg(0, 11690).windowExt(8270, -11690).brush(0, Black).select(0).rectangle(0, 0, 1000,
                                                                                                      1000);
     },
     {{50, 1119, Qt::black}, {50, 50, Qt::white}}},
    {"Ellipse",
     [] { return a4().brush(0, Blue).select(0).pen(5, 0, 0).select(1).ellipse(1000, 1000, 3000, 3000); },
     {{200, 200, Qt::blue}, {105, 105, Qt::white}, {200, 105, Qt::blue}}},
    {"Polygon",
     [] {
         return a4().brush(0, Green).select(0).pen(5, 0, 0).select(1).polyline(
             0x0324, {{1000, 1000}, {5000, 1000}, {1000, 5000}});
     },
     {{150, 150, Qt::green}, {450, 450, Qt::white}}},
    {"PolylineIsNotFilled",
     [] {
         return a4().brush(0, Green).select(0).pen(0, 40, Black).select(1).polyline(
             0x0325, {{1000, 1000}, {5000, 1000}, {1000, 5000}});
     },
     {{150, 150, Qt::white}, {300, 100, Qt::black}}},
    {"RestoreBringsBackTheSavedBrush",
     [] {
         return a4()
             .brush(0, Red)
             .brush(0, Blue)
             .select(0)
             .saveDc()
             .select(1)
             .restoreDc(-1)
             .rectangle(1000, 1000, 3000, 3000);
     },
     {{200, 200, Qt::red}}},
    {"DeletingASelectedBrushKeepsDrawingWithIt",
     [] { return a4().brush(0, Red).select(0).remove(0).rectangle(1000, 1000, 3000, 3000); },
     {{200, 200, Qt::red}}},
    {"ClipRectangle",
     [] {
         return a4().intersectClip(0, 0, 2000, 2000).brush(0, Black).select(0).rectangle(0, 0, 4000, 4000);
     },
     {{100, 100, Qt::black}, {300, 300, Qt::white}, {100, 300, Qt::white}}},
    {"RestoreLiftsTheClip",
     [] {
         return a4()
             .saveDc()
             .intersectClip(0, 0, 2000, 2000)
             .restoreDc(-1)
             .brush(0, Black)
             .select(0)
             .rectangle(0, 0, 4000, 4000);
     },
     {{300, 300, Qt::black}}},
    {"PatBltFillsWithTheBrushOrBlack",
     [] {
         return a4()
             .brush(0, Blue)
             .select(0)
             .record(0x061D, {0x0021, 0x00F0, 1000, 1000, 1000, 1000})  // PATCOPY
             .record(0x061D, {0x0042, 0x0000, 1000, 1000, 3000, 3000}); // BLACKNESS
     },
     {{150, 150, Qt::blue}, {350, 350, Qt::black}, {250, 250, Qt::white}}},
    {"SetPixel", [] { return a4().windowExt(827, 1169).record(0x041F, {0x00FF, 0, 7, 9}); },
     {{9, 7, Qt::red}, {10, 7, Qt::white}}},
};
// clang-format on

class Shapes : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(Shapes, AppearWhereTheRecordsPutThem)
{
    const QImage image = render(GetParam().page().end().bytes());
    for (const Probe& p : GetParam().probes)
        EXPECT_EQ(image.pixelColor(p.x, p.y), p.color) << "at " << p.x << "," << p.y;
}

INSTANTIATE_TEST_SUITE_P(WmfPainter, Shapes, ::testing::ValuesIn(shapeCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Text: where the ink falls around the reference point (100,100 in pixels).

// The bounding box of every pixel that is not white.
QRect ink(const QImage& image, QColor* darkest = nullptr)
{
    QRect box;
    int best = 255 * 3;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const int sum = c.red() + c.green() + c.blue();
            if (sum == 255 * 3)
                continue;
            box = box.united(QRect(x, y, 1, 1));
            if (darkest && sum < best)
                best = sum, *darkest = c;
        }
    return box;
}

WmfBytes textPage(std::uint16_t align, std::string_view text = "HHHH")
{
    return a4().bkMode(1).font(-400, "Arial").select(0).textAlign(align).textOut(1000, 1000, text).end();
}

struct AlignCase {
    const char* name;
    std::uint16_t align;
    std::function<void(const QRect&)> check;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const AlignCase& row, std::ostream* os) { *os << row.name; }

const AlignCase alignCases[] = {
    {"LeftTop", 0,
     [](const QRect& r) {
         EXPECT_GE(r.left(), 100);
         EXPECT_LE(r.left(), 106);
         EXPECT_GE(r.top(), 100);
         EXPECT_LE(r.bottom(), 141);
     }},
    {"Right", 2, [](const QRect& r) { EXPECT_LE(r.right(), 100); }},
    {"Center", 6,
     [](const QRect& r) {
         EXPECT_LT(r.left(), 95);
         EXPECT_GT(r.right(), 105);
         EXPECT_LE(std::abs((r.left() + r.right()) / 2 - 100), 3);
     }},
    {"Baseline", 24,
     [](const QRect& r) {
         EXPECT_LE(r.bottom(), 100);
         EXPECT_GE(r.bottom(), 98);
     }},
    {"Bottom", 8, [](const QRect& r) { EXPECT_LE(r.bottom(), 100); }},
};

class TextAlignment : public ::testing::TestWithParam<AlignCase> {};

TEST_P(TextAlignment, PlacesTheInkAroundTheReference)
{
    const QRect box = ink(render(textPage(GetParam().align).bytes()));
    ASSERT_FALSE(box.isEmpty());
    // An em of 0.4 inch is 40 pixels: capitals of Liberation Sans are about
    // 29 pixels high, four of them about 110 wide.
    EXPECT_NEAR(box.height(), 29, 3);
    EXPECT_NEAR(box.width(), 105, 12);
    GetParam().check(box);
}

INSTANTIATE_TEST_SUITE_P(WmfPainter, TextAlignment, ::testing::ValuesIn(alignCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WmfPainter, TextKeepsItsColor)
{
    const auto page = a4().bkMode(1).textColor(Red).font(-400, "Arial", 700).select(0).textOut(1000, 1000, "HH").end();
    QColor darkest;
    ASSERT_FALSE(ink(render(page.bytes()), &darkest).isEmpty());
    EXPECT_EQ(darkest, QColor(Qt::red));
}

TEST(WmfPainter, OpaqueTextFillsItsBackground)
{
    auto page = [](std::uint16_t mode) {
        return a4().bkMode(mode).bkColor(Yellow).font(-400, "Arial").select(0).textOut(1000, 1000, "HH").end();
    };
    const QImage opaque = render(page(2).bytes());
    const QImage transparent = render(page(1).bytes());
    // Between the two capitals' stems, inside the text's cell.
    EXPECT_EQ(opaque.pixelColor(102, 101), QColor(Qt::yellow));
    EXPECT_EQ(transparent.pixelColor(102, 101), QColor(Qt::white));
}

TEST(WmfPainter, UpdateCurrentPositionSetsTextSideBySide)
{
    // With the update flag, each text starts where the last one ended.
    auto page = a4().bkMode(1)
                    .font(-400, "Arial")
                    .select(0)
                    .textAlign(1)
                    .moveTo(1000, 1000)
                    .textOut(0, 0, "HH")
                    .textOut(0, 0, "HH");
    const QRect both = ink(render(page.end().bytes()));
    const QRect one = ink(render(a4().bkMode(1).font(-400, "Arial").select(0).textOut(1000, 1000, "HH").end().bytes()));
    const QRect four =
        ink(render(a4().bkMode(1).font(-400, "Arial").select(0).textOut(1000, 1000, "HHHH").end().bytes()));
    EXPECT_EQ(both.left(), one.left());
    EXPECT_NEAR(both.width(), four.width(), 2);
}

TEST(WmfPainter, ClippedExtTextOutCutsTheText)
{
    // ETO_CLIPPED with a rectangle that ends 15 pixels right of the start.
    auto page = a4().bkMode(1)
                    .font(-400, "Arial")
                    .select(0)
                    .record(0x0A32, {1000, 1000, 4, 4, 1000, 1000, 1150, 1500, 'H' | ('H' << 8), 'H' | ('H' << 8)});
    const QRect box = ink(render(page.end().bytes()));
    ASSERT_FALSE(box.isEmpty());
    EXPECT_LE(box.right(), 115);
}

TEST(WmfPainter, EscapementRotatesTheText)
{
    // 90 degrees counter-clockwise: the text runs upwards from the reference.
    const auto page = a4().bkMode(1)
                          .record(0x02FB, {std::uint16_t(-400), 0, 900, 900, 400, 0, 0, 0, 0, 'A' | ('r' << 8),
                                           'i' | ('a' << 8), 'l'})
                          .select(0)
                          .textAlign(24)
                          .textOut(4000, 6000, "HHHH")
                          .end();
    const QRect box = ink(render(page.bytes()));
    EXPECT_GT(box.height(), box.width() * 2);
    EXPECT_LE(box.bottom(), 600);
}

// ---------------------------------------------------------------------------
// Fonts and text bytes.

struct FaceCase {
    const char* face;
    const char* family;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const FaceCase& row, std::ostream* os) { *os << row.face; }

class FaceNames : public ::testing::TestWithParam<FaceCase> {};

// A face the platform lacks is drawn with its substitute: the framework's
// table first, fontconfig's aliases after it. The family is compared without
// the foundry Qt adds in brackets when two foundries make one family.
TEST_P(FaceNames, AreDrawnWithTheirSubstitutes)
{
    WmfFont font;
    font.faceName = GetParam().face;
    EXPECT_EQ(QFontInfo(wmfFont(font)).family().section(QStringLiteral(" ["), 0, 0).toStdString(), GetParam().family);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(WmfPainter, FaceNames,
                         ::testing::Values(FaceCase{"Arial", "Liberation Sans"},
                                           FaceCase{"Times New Roman", "Liberation Serif"},
                                           FaceCase{"Courier New", "Liberation Mono"},
                                           // The report fonts, through the framework's own table.
                                           FaceCase{"Century Gothic", "URW Gothic"},
                                           FaceCase{"Comic Sans MS", "Comic Neue"},
                                           FaceCase{"Sylfaen", "Noto Serif"}),
                         [](const auto& info) {
                             std::string name = info.param.face;
                             std::erase(name, ' ');
                             return name;
                         });
// clang-format on

TEST(WmfPainter, FontAttributes)
{
    WmfFont font;
    font.faceName = "Arial";
    font.weight = 700;
    font.italic = true;
    font.underline = true;
    const QFont q = wmfFont(font);
    EXPECT_EQ(q.weight(), QFont::Bold);
    EXPECT_TRUE(q.italic());
    EXPECT_TRUE(q.underline());
    EXPECT_FALSE(q.strikeOut());
}

struct DecodeCase {
    const char* name;
    std::string bytes;
    std::uint8_t charSet;
    std::u16string text;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const DecodeCase& row, std::ostream* os) { *os << row.name; }

class TextBytes : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(TextBytes, DecodeByCharacterSet)
{
    EXPECT_EQ(decodeWmfText(GetParam().bytes, GetParam().charSet).toStdU16String(), GetParam().text);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    WmfPainter, TextBytes,
    ::testing::Values(DecodeCase{"Ascii", "Page 1", 0, u"Page 1"},
                      DecodeCase{"EuroSignInWindows1252", "\x80", 0, u"\u20AC"},
                      DecodeCase{"QuotesAndDashes", "\x93\x96\x94", 0, u"\u201C\u2013\u201D"},
                      DecodeCase{"LatinLetters", "\xE9\xFC", 0, u"\u00E9\u00FC"},
                      DecodeCase{"UnusedCodeKept", "\x81", 0, u"\u0081"},
                      DecodeCase{"SymbolSetTakesBytesAsTheyStand", "\x80", 2, u"\u0080"},
                      DecodeCase{"OtherSetsReadAsWindows1252", "\x80", 204, u"\u20AC"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// ---------------------------------------------------------------------------
// Broken files paint the error page, never a part of the file.

struct BrokenCase {
    const char* name;
    std::function<std::vector<std::uint8_t>()> bytes;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const BrokenCase& row, std::ostream* os) { *os << row.name; }

// clang-format off
const BrokenCase brokenCases[] = {
    {"Truncated",
     [] {
         auto b = a4().brush(0, Black).select(0).rectangle(0, 0, 8000, 8000).end().bytes();
         b.resize(b.size() - 4);
         return b;
     }},
    {"HugeRecordSize", [] { return a4().brush(0, Black).select(0).rawRecord(0x7FFFFFFF, 0x041B, {0, 0}).bytes(); }},
    {"ZeroSizeRecord", [] { return a4().brush(0, Black).select(0).rawRecord(0, 0x041B, {0, 0, 1, 1}).end().bytes(); }},
    {"BadObjectIndex", [] { return a4().brush(0, Black).select(0).rectangle(0, 0, 8000, 8000).select(77).end().bytes(); }},
    {"WrongObjectKind", [] { return a4().pen(0, 1, 0).record(0x0234, {0}).rectangle(0, 0, 8000, 8000).end().bytes(); }},
    {"NotAMetafile", [] { return std::vector<std::uint8_t>(200, 'x'); }},
};
// clang-format on

class BrokenPage : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenPage, PaintsTheErrorPage)
{
    const QImage image = render(GetParam().bytes());
    // The error page's red frame runs a quarter inch inside the edge.
    EXPECT_EQ(image.pixelColor(25, 600), QColor(200, 0, 0));
    EXPECT_EQ(image.pixelColor(ImageWidth - 26, 600), QColor(200, 0, 0));
    // Nothing of the file's black rectangle.
    EXPECT_EQ(image.pixelColor(500, 500), QColor(Qt::white));
    // The message is written.
    EXPECT_FALSE(ink(image.copy(100, 100, 600, 60)).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(WmfPainter, BrokenPage, ::testing::ValuesIn(brokenCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WmfPainter, AGoodPageHasNoErrorFrame)
{
    const QImage image = render(a4().end().bytes());
    EXPECT_EQ(image.pixelColor(25, 600), QColor(Qt::white));
}

TEST(WmfPainter, PageSizeIsTheFrameOrA4ForAnError)
{
    EXPECT_EQ(pageSizeInches(parseWmf(WmfBytes(11000, 8500).end().bytes())), QSizeF(11, 8.5));
    EXPECT_EQ(pageSizeInches(parseWmf({})), QSizeF(8.27, 11.69));
}

} // namespace
} // namespace fw::preview
