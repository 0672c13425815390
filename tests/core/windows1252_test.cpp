#include "framework/core/windows1252.h"

#include <gtest/gtest.h>

using namespace fw::core;

namespace {

struct CodeRow {
    const char* name;
    std::uint8_t byte;
    char16_t unicode;
    bool assigned;
};

void PrintTo(const CodeRow& row, std::ostream* os) { *os << row.name; }

class Windows1252Code : public testing::TestWithParam<CodeRow> {};

TEST_P(Windows1252Code, ReadsAsThisCharacter)
{
    EXPECT_EQ(windows1252ToUnicode(GetParam().byte), GetParam().unicode);
    EXPECT_EQ(isWindows1252Assigned(GetParam().byte), GetParam().assigned);
}

// All 32 codes where the code page differs from Latin-1, the five it leaves
// unassigned read as the C1 controls Windows gives them, and the Latin-1
// codes on either side and at both ends.
INSTANTIATE_TEST_SUITE_P(
    Rows, Windows1252Code,
    testing::Values(CodeRow{"Nul", 0x00, 0x0000, true},
                    CodeRow{"Blank", 0x20, 0x0020, true},
                    CodeRow{"Delete", 0x7F, 0x007F, true},
                    CodeRow{"Euro", 0x80, 0x20AC, true},
                    CodeRow{"Unassigned81", 0x81, 0x0081, false},
                    CodeRow{"LowQuote", 0x82, 0x201A, true},
                    CodeRow{"FHook", 0x83, 0x0192, true},
                    CodeRow{"LowDoubleQuote", 0x84, 0x201E, true},
                    CodeRow{"Ellipsis", 0x85, 0x2026, true},
                    CodeRow{"Dagger", 0x86, 0x2020, true},
                    CodeRow{"DoubleDagger", 0x87, 0x2021, true},
                    CodeRow{"Circumflex", 0x88, 0x02C6, true},
                    CodeRow{"PerMille", 0x89, 0x2030, true},
                    CodeRow{"SCaron", 0x8A, 0x0160, true},
                    CodeRow{"LeftAngleQuote", 0x8B, 0x2039, true},
                    CodeRow{"OeLigature", 0x8C, 0x0152, true},
                    CodeRow{"Unassigned8D", 0x8D, 0x008D, false},
                    CodeRow{"ZCaron", 0x8E, 0x017D, true},
                    CodeRow{"Unassigned8F", 0x8F, 0x008F, false},
                    CodeRow{"Unassigned90", 0x90, 0x0090, false},
                    CodeRow{"LeftQuote", 0x91, 0x2018, true},
                    CodeRow{"RightQuote", 0x92, 0x2019, true},
                    CodeRow{"LeftDoubleQuote", 0x93, 0x201C, true},
                    CodeRow{"RightDoubleQuote", 0x94, 0x201D, true},
                    CodeRow{"Bullet", 0x95, 0x2022, true},
                    CodeRow{"EnDash", 0x96, 0x2013, true},
                    CodeRow{"EmDash", 0x97, 0x2014, true},
                    CodeRow{"SmallTilde", 0x98, 0x02DC, true},
                    CodeRow{"TradeMark", 0x99, 0x2122, true},
                    CodeRow{"SmallSCaron", 0x9A, 0x0161, true},
                    CodeRow{"RightAngleQuote", 0x9B, 0x203A, true},
                    CodeRow{"SmallOeLigature", 0x9C, 0x0153, true},
                    CodeRow{"Unassigned9D", 0x9D, 0x009D, false},
                    CodeRow{"SmallZCaron", 0x9E, 0x017E, true},
                    CodeRow{"YDiaeresis", 0x9F, 0x0178, true},
                    CodeRow{"NoBreakSpace", 0xA0, 0x00A0, true},
                    CodeRow{"Section", 0xA7, 0x00A7, true},
                    CodeRow{"SmallYDiaeresis", 0xFF, 0x00FF, true}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
