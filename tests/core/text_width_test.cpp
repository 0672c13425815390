#include <gtest/gtest.h>

#include <string>

#include "framework/core/text.h"

using namespace fw::core;

namespace {

// A routine of the system takes its text parameter as a copy of exactly the
// length passed: a padded field arrives with its padding.
std::size_t lengthSeen(std::string text) { return text.size(); }

} // namespace

TEST(TextWidth, AParameterIsACopyOfExactlyTheLengthPassed)
{
    Text<200> folder("C:\\Out");
    EXPECT_EQ(lengthSeen(folder.str()), 200u);
    EXPECT_EQ(lengthSeen(folder.clipped()), 6u);
    EXPECT_EQ(lengthSeen("C:\\Out  "), 8u);
}

TEST(TextWidth, FittedCutsOrPadsToTheWidth)
{
    struct Case {
        const char* in;
        std::size_t width;
        const char* out;
    } cases[] = {{"abc", 5, "abc  "}, {"abcdef", 3, "abc"}, {"", 2, "  "}, {"ab", 0, ""}};
    for (const Case& c : cases)
        EXPECT_EQ(fitted(c.in, c.width), c.out) << c.in;
}

TEST(TextWidth, NumbersBecomeDecimalTextWithoutPadding)
{
    struct Case {
        std::int64_t value;
        const char* text;
    } cases[] = {{0, "0"}, {7, "7"}, {42, "42"}, {-5, "-5"}, {1410065407, "1410065407"}, {2147483647, "2147483647"}};
    for (const Case& c : cases)
        EXPECT_EQ(toText(c.value), c.text);
}

TEST(TextWidth, PositionsCountFromOne)
{
    Text<6> t("abc");
    EXPECT_EQ(t.at(1), 'a');
    EXPECT_EQ(t.at(6), ' ');
    t.at(3) = 'Z';
    EXPECT_EQ(t.view(), "abZ   ");
    // A step of two looks at positions 1, 3, ... only.
    EXPECT_EQ(instring("b", "abab", 2), 0u);
    EXPECT_EQ(instring("b", "abab", 2, 2), 2u);
    EXPECT_EQ(instring("a", "abab", 2, 2), 0u);
    EXPECT_EQ(instring("ab", "abab", 1, 2), 3u);
}

TEST(TextWidth, AByteKeepsTheLowEightBits)
{
    struct Case {
        std::int64_t value;
        std::uint8_t byte;
    } cases[] = {{0, 0}, {255, 255}, {256, 0}, {300, 44}, {-1, 255}, {423, 167}};
    for (const Case& c : cases)
        EXPECT_EQ(toByte(c.value), c.byte) << c.value;
}
