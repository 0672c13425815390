#include "framework/core/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using fw::core::CommandLine;

namespace {

TEST(CommandLine, ArgumentsAreJoinedWithSingleBlanksAfterTheProgramName)
{
    const struct {
        std::vector<const char*> argv;
        const char* text;
    } cases[] = {
        {{"vextrel"}, ""},
        {{"vextrel", "12", "2", "MakeHTMLFileBMKSW('out.html',3,'My Report')"},
         "12 2 MakeHTMLFileBMKSW('out.html',3,'My Report')"},
        {{"vextrel", "a b", "", "c"}, "a b  c"},
        {{"/usr/bin/vextrel", "300"}, "300"},
    };
    for (const auto& c : cases) {
        const CommandLine line = CommandLine::fromArguments(static_cast<int>(c.argv.size()), c.argv.data());
        EXPECT_EQ(line.text(), c.text);
    }
    EXPECT_EQ(CommandLine::fromArguments(0, nullptr).text(), "");
}

struct WordCase {
    const char* name;
    const char* text;
    std::vector<std::string> words; // words 1, 2, ...; the word after the last is checked empty
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const WordCase& row, std::ostream* os) { *os << row.name; }

class Words : public ::testing::TestWithParam<WordCase> {};

TEST_P(Words, EndAtABlankOrAComma)
{
    const CommandLine line(GetParam().text);
    const std::vector<std::string>& words = GetParam().words;
    for (std::size_t n = 1; n <= words.size(); ++n)
        EXPECT_EQ(line.word(n), words[n - 1]) << "word " << n;
    EXPECT_EQ(line.word(words.size() + 1), "");
    EXPECT_EQ(line.word(words.size() + 7), "");
    EXPECT_EQ(line.word(0), "");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    CommandLine, Words,
    ::testing::Values(
        WordCase{"Empty", "", {}}, WordCase{"Blank", "    ", {}},
        WordCase{"JobModeAndCall", "12 2 MakeHTMLFileBMKSW('out.html',3,16777215)",
                 {"12", "2", "MakeHTMLFileBMKSW('out.html'", "3", "16777215)"}},
        WordCase{"CallFirst", "MakeHTMLFileBMKSW('out.html',3)", {"MakeHTMLFileBMKSW('out.html'", "3)"}},
        WordCase{"CommaSeparated", "12,2,x", {"12", "2", "x"}},
        WordCase{"RunOfBlanksIsOneSeparator", "12   2", {"12", "2"}},
        WordCase{"OuterBlanksDoNotCount", "  12 2  ", {"12", "2"}},
        WordCase{"BlanksAroundACommaDoNotCount", "12 , 2", {"12", "2"}},
        WordCase{"TwoCommasHoldAnEmptyWord", "12,,2", {"12", "", "2"}},
        WordCase{"BlanksBetweenCommasHoldAnEmptyWord", "12 , , 2", {"12", "", "2"}},
        WordCase{"LeadingComma", ",7", {"", "7"}}, WordCase{"TrailingComma", "7,", {"7", ""}},
        WordCase{"OnlyAComma", ",", {"", ""}}),
    [](const ::testing::TestParamInfo<WordCase>& info) { return std::string(info.param.name); });
// clang-format on

TEST(CommandLine, ProcessCommandLineIsWhatMainSet)
{
    const char* argv[] = {"vextrel", "300", "2"};
    fw::core::setCommandLine(3, argv);
    EXPECT_EQ(fw::core::commandLine().text(), "300 2");
    EXPECT_EQ(fw::core::commandLine().word(1), "300");
}

} // namespace
