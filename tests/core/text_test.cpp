#include "framework/core/text.h"

#include <gtest/gtest.h>

#include "framework/core/binding.h"

using namespace fw::core;

TEST(Text, AssignmentCutsOrPadsToItsWidth)
{
    Text<5> t("ab");
    EXPECT_EQ(t.view(), "ab   ");
    t = "abcdefgh";
    EXPECT_EQ(t.view(), "abcde");
    t = "";
    EXPECT_TRUE(t.isBlank());
    Text<3> narrow(Text<8>("xyz   ww"));
    EXPECT_EQ(narrow.view(), "xyz");
}

TEST(Text, ComparisonIgnoresTrailingBlanksOnly)
{
    EXPECT_TRUE(Text<10>("High") == "High");
    EXPECT_TRUE(Text<10>("High") == "High  ");
    EXPECT_FALSE(Text<10>(" High") == "High");
    EXPECT_FALSE(Text<10>("HIGH") == "High");
    EXPECT_TRUE(sameText("a  ", "a"));
}

TEST(Text, ClipDropsTrailingBlanksAndKeepsLeadingOnes)
{
    EXPECT_EQ(clip("  x  "), "  x");
    EXPECT_EQ(trimLeft("  x  "), "x  ");
    EXPECT_EQ(Text<6>("a").clipped(), "a");
    EXPECT_TRUE(isBlank("    "));
    EXPECT_TRUE(isBlank(""));
}

TEST(Text, UpperCaseCapitalsLettersAndKeepsEverythingElse)
{
    EXPECT_EQ(upperCase("cus:ByName"), "CUS:BYNAME");
    EXPECT_EQ(upperCase("P1$progresswindow\nzorvane$zorva001"), "P1$PROGRESSWINDOW\nZORVANE$ZORVA001");
    EXPECT_EQ(upperCase(" a1 b "), " A1 B ");
    EXPECT_EQ(upperCase(""), "");
}

TEST(Text, InstringCountsFromOneAndAnswersZeroWhenAbsent)
{
    EXPECT_EQ(instring("\\", "C:\\A\\B"), 3u);
    EXPECT_EQ(instring("\\", "C:\\A\\B", 1, 4), 5u);
    EXPECT_EQ(instring("\\", "C:AB"), 0u);
    EXPECT_EQ(instring("", "abc"), 0u);
    EXPECT_EQ(instring("c", "abc", 1, 9), 0u);
}

struct NumberCase {
    const char* text;
    std::int32_t value;
    bool numeric;
};

TEST(Text, ToNumberReadsDecimalTextIntoThirtyTwoBits)
{
    // clang-format off
    const NumberCase cases[] = {
        {"42", 42, true},         {"  -7 ", -7, true},     {"+3", 3, true},
        {"12.9", 12, true},       {"-12.9", -12, true},    {"300", 300, true},
        {"4294967340", 44, true}, {"abc", 0, false},       {"", 0, false},
        {"1 2", 0, false},        {".5", 0, true},         {"7,", 0, false},
    };
    // clang-format on
    for (const NumberCase& c : cases) {
        EXPECT_EQ(toNumber(c.text), c.value) << c.text;
        EXPECT_EQ(isNumeric(c.text), c.numeric) << c.text;
    }
    EXPECT_EQ(toByte(toNumber("300")), 44);
}

TEST(Text, ToNumberReadsAtMostAHundredCharacters)
{
    std::string longText(99, ' ');
    longText += "7";
    EXPECT_EQ(toNumber(longText), 7);
    longText = std::string(100, ' ') + "7";
    EXPECT_EQ(toNumber(longText), 0);
}

TEST(Binding, ReadsAndWritesTheBoundVariable)
{
    std::uint8_t mode = 1;
    Text<4> name("ab");
    Binding byte = Binding::of(mode);
    byte.setText("260");
    EXPECT_EQ(mode, 4);
    EXPECT_EQ(byte.text(), "4");
    Binding text = Binding::of(name);
    text.setNumber(12345);
    EXPECT_EQ(name.view(), "1234");
    EXPECT_EQ(text.number(), 1234);
}
