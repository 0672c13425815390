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
const CodeRow codeRows[] = {
    {"Nul", 0x00, 0x0000, true},
    {"Blank", 0x20, 0x0020, true},
    {"Delete", 0x7F, 0x007F, true},
    {"Euro", 0x80, 0x20AC, true},
    {"Unassigned81", 0x81, 0x0081, false},
    {"LowQuote", 0x82, 0x201A, true},
    {"FHook", 0x83, 0x0192, true},
    {"LowDoubleQuote", 0x84, 0x201E, true},
    {"Ellipsis", 0x85, 0x2026, true},
    {"Dagger", 0x86, 0x2020, true},
    {"DoubleDagger", 0x87, 0x2021, true},
    {"Circumflex", 0x88, 0x02C6, true},
    {"PerMille", 0x89, 0x2030, true},
    {"SCaron", 0x8A, 0x0160, true},
    {"LeftAngleQuote", 0x8B, 0x2039, true},
    {"OeLigature", 0x8C, 0x0152, true},
    {"Unassigned8D", 0x8D, 0x008D, false},
    {"ZCaron", 0x8E, 0x017D, true},
    {"Unassigned8F", 0x8F, 0x008F, false},
    {"Unassigned90", 0x90, 0x0090, false},
    {"LeftQuote", 0x91, 0x2018, true},
    {"RightQuote", 0x92, 0x2019, true},
    {"LeftDoubleQuote", 0x93, 0x201C, true},
    {"RightDoubleQuote", 0x94, 0x201D, true},
    {"Bullet", 0x95, 0x2022, true},
    {"EnDash", 0x96, 0x2013, true},
    {"EmDash", 0x97, 0x2014, true},
    {"SmallTilde", 0x98, 0x02DC, true},
    {"TradeMark", 0x99, 0x2122, true},
    {"SmallSCaron", 0x9A, 0x0161, true},
    {"RightAngleQuote", 0x9B, 0x203A, true},
    {"SmallOeLigature", 0x9C, 0x0153, true},
    {"Unassigned9D", 0x9D, 0x009D, false},
    {"SmallZCaron", 0x9E, 0x017E, true},
    {"YDiaeresis", 0x9F, 0x0178, true},
    {"NoBreakSpace", 0xA0, 0x00A0, true},
    {"Section", 0xA7, 0x00A7, true},
    {"SmallYDiaeresis", 0xFF, 0x00FF, true},
};

INSTANTIATE_TEST_SUITE_P(Rows, Windows1252Code, testing::ValuesIn(codeRows),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
