#include "framework/report/wmf_writer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/report/hex.h"

using namespace fw::report;

namespace {

constexpr std::size_t HeadersSize = PlaceableHeaderSize + MetafileHeaderSize;
constexpr std::size_t EofSize = 6;

// The records a writer holds, without the headers and the end record.
std::vector<std::uint8_t> recordsOf(const WmfWriter& w)
{
    const std::vector<std::uint8_t> f = w.file();
    return {f.begin() + HeadersSize, f.end() - EofSize};
}

TEST(WmfWriter, AnEmptyPageIsBothHeadersAndTheEndRecord)
{
    const WmfWriter w({0, 0, 8268, 11693});
    // clang-format off
    EXPECT_EQ(hexOf(w.file()), hexOf(bytesOf("D7 CD C6 9A"   // Key
                                             " 00 00"        // HWmf
                                             " 00 00 00 00 4C 20 AD 2D" // BoundingBox 0, 0, 8268, 11693
                                             " E8 03"        // Inch: 1000
                                             " 00 00 00 00"  // Reserved
                                             " 18 59"        // Checksum
                                             " 01 00 09 00 00 03" // Type, HeaderSize, Version
                                             " 0C 00 00 00"  // Size: 9 + 3 words
                                             " 00 00"        // NumberOfObjects
                                             " 03 00 00 00"  // MaxRecord
                                             " 00 00"        // NumberOfMembers
                                             " 03 00 00 00 00 00"))); // end record
    // clang-format on
}

TEST(WmfWriter, TheChecksumIsTheXorOfTheFirstTenWords)
{
    for (const WmfRect box : {WmfRect{0, 0, 8268, 11693}, WmfRect{-5, 7, 8500, 11000}, WmfRect{0, 0, 0, 0}}) {
        const std::vector<std::uint8_t> f = WmfWriter(box, 1440).file();
        std::uint16_t x = 0;
        for (std::size_t i = 0; i < 20; i += 2)
            x ^= static_cast<std::uint16_t>(f[i] | f[i + 1] << 8);
        EXPECT_EQ(f[20] | f[21] << 8, x);
        EXPECT_EQ(placeableChecksum(std::span<const std::uint8_t, 20>(f.data(), 20)), x);
    }
}

struct RecordRow {
    const char* name;
    std::function<void(WmfWriter&)> write;
    const char* bytes;
};

void PrintTo(const RecordRow& row, std::ostream* os) { *os << row.name; }

class WmfRecord : public testing::TestWithParam<RecordRow> {};

TEST_P(WmfRecord, IsWrittenAsTheseBytes)
{
    WmfWriter w({0, 0, 8268, 11693});
    GetParam().write(w);
    EXPECT_EQ(hexOf(recordsOf(w)), hexOf(bytesOf(GetParam().bytes)));
}

// clang-format off
const RecordRow recordRows[] = {
    {"SetBkModeTransparent", [](WmfWriter& w) { w.setBkMode(WmfWriter::Transparent); }, "04 00 00 00 02 01 01 00"},
    {"SetTextAlignLeftTop", [](WmfWriter& w) { w.setTextAlign(WmfWriter::AlignLeftTop); }, "04 00 00 00 2E 01 00 00"},
    {"SetTextColor", [](WmfWriter& w) { w.setTextColor(0x00808000); }, "05 00 00 00 09 02 00 80 80 00"},
    {"SetWindowOrgYFirst", [](WmfWriter& w) { w.setWindowOrg(10, 20); }, "05 00 00 00 0B 02 14 00 0A 00"},
    {"SetWindowExtYFirst", [](WmfWriter& w) { w.setWindowExt(8268, 11693); }, "05 00 00 00 0C 02 AD 2D 4C 20"},
    {"MoveTo", [](WmfWriter& w) { w.moveTo(1500, 260); }, "05 00 00 00 14 02 04 01 DC 05"},
    {"LineTo", [](WmfWriter& w) { w.lineTo(1500, 718); }, "05 00 00 00 13 02 CE 02 DC 05"},
    {"RectangleBottomRightTopLeft", [](WmfWriter& w) { w.rectangle(1000, 1260, 7500, 1718); },
     "07 00 00 00 1B 04 B6 06 4C 1D EC 04 E8 03"},
    {"SetPixelColorThenYX", [](WmfWriter& w) { w.setPixel(8267, 11692, 0xFFFFFF); },
     "07 00 00 00 1F 04 FF FF FF 00 AC 2D 4B 20"},
    {"TextOutEvenLength", [](WmfWriter& w) { w.textOut(1552, 313, "Name"); },
     "08 00 00 00 21 05 04 00 4E 61 6D 65 39 01 10 06"},
    {"TextOutOddLengthPadded", [](WmfWriter& w) { w.textOut(52, 490, "Zip"); },
     "08 00 00 00 21 05 03 00 5A 69 70 00 EA 01 34 00"},
    {"TextOutEmpty", [](WmfWriter& w) { w.textOut(1, 2, ""); }, "06 00 00 00 21 05 00 00 02 00 01 00"},
    {"ExtTextOutClipped", [](WmfWriter& w) { w.extTextOut(52, 31, "Ab", WmfRect{52, 31, 1448, 281}); },
     "0C 00 00 00 32 0A 1F 00 34 00 02 00 04 00 34 00 1F 00 A8 05 19 01 41 62"},
    {"ExtTextOutUnclippedOdd", [](WmfWriter& w) { w.extTextOut(52, 31, "Abc"); },
     "09 00 00 00 32 0A 1F 00 34 00 03 00 00 00 41 62 63 00"},
    {"CreatePenIndirect", [](WmfWriter& w) { w.createPenIndirect(WmfWriter::PenSolid, 10, 0x808000); },
     "08 00 00 00 FA 02 00 00 0A 00 00 00 00 80 80 00"},
    {"CreateBrushIndirectNull", [](WmfWriter& w) { w.createBrushIndirect(WmfWriter::BrushNull, 0); },
     "07 00 00 00 FC 02 01 00 00 00 00 00 00 00"},
    {"SelectObject", [](WmfWriter& w) { w.selectObject(2); }, "04 00 00 00 2D 01 02 00"},
    {"DeleteObject", [](WmfWriter& w) { w.deleteObject(2); }, "04 00 00 00 F0 01 02 00"},
    {"CreateFontIndirect",
     [](WmfWriter& w) {
         w.createFontIndirect({.height = -167, .weight = 700, .italic = true, .charSet = 204, .faceName = "Century Gothic"});
     },
     "1C 00 00 00 FB 02"
     " 59 FF 00 00 00 00 00 00 BC 02" // Height -167, Width, Escapement, Orientation, Weight 700
     " 01 00 00 CC 00 00 00 00"       // Italic, Underline, StrikeOut, CharSet 204, precisions, quality, pitch
     " 43 65 6E 74 75 72 79 20 47 6F 74 68 69 63 00 00" // "Century Gothic", zero-filled to 32
     " 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
    {"CreateFontIndirectLongNameKeeps31Bytes",
     [](WmfWriter& w) { w.createFontIndirect({.faceName = std::string(40, 'A')}); },
     "1C 00 00 00 FB 02 00 00 00 00 00 00 00 00 90 01 00 00 00 00 00 00 00 00"
     " 41 41 41 41 41 41 41 41 41 41 41 41 41 41 41 41"
     " 41 41 41 41 41 41 41 41 41 41 41 41 41 41 41 00"},
    {"CoordinatesClampedTo16Bits", [](WmfWriter& w) { w.moveTo(40000, -40000); },
     "05 00 00 00 14 02 00 80 FF 7F"},
    {"RawRecord", [](WmfWriter& w) { w.record(0x0626, std::vector<std::uint16_t>{0x000F, 0x1234}); },
     "05 00 00 00 26 06 0F 00 34 12"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Rows, WmfRecord, testing::ValuesIn(recordRows),
                         [](const testing::TestParamInfo<RecordRow>& info) { return std::string(info.param.name); });

TEST(WmfWriter, HeaderCountsSizeLargestRecordAndObjectTable)
{
    WmfWriter w({0, 0, 100, 100});
    const std::uint16_t font = w.createFontIndirect({.faceName = "Arial"});
    const std::uint16_t pen = w.createPenIndirect(WmfWriter::PenSolid, 10, 0);
    w.deleteObject(font);
    const std::uint16_t brush = w.createBrushIndirect(WmfWriter::BrushNull, 0);
    EXPECT_EQ(font, 0);
    EXPECT_EQ(pen, 1);
    EXPECT_EQ(brush, 0) << "a create takes the lowest free slot";
    EXPECT_EQ(w.objectTableSize(), 2u);
    EXPECT_EQ(w.recordCount(), 4u);

    // 9 + 28 + 8 + 4 + 7 + 3 = 59 words; two slots; the font record (28 words) is the largest.
    const std::vector<std::uint8_t> f = w.file();
    EXPECT_EQ(f.size(), PlaceableHeaderSize + 59 * 2);
    EXPECT_EQ(hexOf({f.begin() + PlaceableHeaderSize, f.begin() + HeadersSize}),
              hexOf(bytesOf("01 00 09 00 00 03" // Type, HeaderSize, Version
                            " 3B 00 00 00"      // Size
                            " 02 00"            // NumberOfObjects
                            " 1C 00 00 00"      // MaxRecord
                            " 00 00")));        // NumberOfMembers
}

} // namespace
