#include "framework/process/text_step.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

using fw::process::TextStep;
namespace C = fw::process::StepCharacters;

struct StepCase {
    const char* name;
    int characters;
    int significant;
    const char* first; // nullptr: no limits
    const char* last;
    const char* value;
    int percent;
    friend void PrintTo(const StepCase& c, std::ostream* os) { *os << c.name; }
};

class TextStepPercent : public ::testing::TestWithParam<StepCase> {};

TEST_P(TextStepPercent, EstimatesFromTheKeyValue)
{
    const StepCase& c = GetParam();
    TextStep step;
    step.init(c.characters, c.significant);
    if (c.first)
        step.setLimits(c.first, c.last);
    EXPECT_EQ(step.percentile(c.value), c.percent);
}

// One significant letter: A is 1 and Z is 26 of 27 steps, so M (13) lies
// 12 of 25 steps from A.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, TextStepPercent,
    ::testing::Values(
        StepCase{"FirstKeyIsZero", C::Letters | C::Digits, 3, "Adams", "Zhu", "Adams", 0},
        StepCase{"LastKeyIsHundred", C::Letters | C::Digits, 3, "Adams", "Zhu", "Zhu", 100},
        StepCase{"OneLetterScale", C::Letters, 1, "A", "Z", "M", 48},
        StepCase{"LowerCaseCountsAsUpper", C::Letters, 1, "A", "Z", "m", 48},
        StepCase{"CaseSensitiveUpperBeforeLower", C::Letters | C::CaseSensitive, 1, "A", "z", "Z", 49},
        StepCase{"DigitsOnly", C::Digits, 1, "0", "9", "5", 55},
        StepCase{"DescendingKeyTurnsTheScale", C::Letters, 1, "Z", "A", "A", 100},
        StepCase{"DescendingKeyStartsAtZero", C::Letters, 1, "Z", "A", "Z", 0},
        StepCase{"BeyondTheLastKeyStaysAtHundred", C::Letters, 1, "B", "Y", "Z", 100},
        StepCase{"BlankBeforeTheFirstKeyStaysAtZero", C::Letters, 1, "B", "Y", " ", 0},
        StepCase{"EqualLimitsTellNothing", C::Letters, 1, "Kay", "Kim", "Kim", 0},
        StepCase{"WithoutLimitsTheAlphabetIsTheRange", C::Letters, 1, nullptr, nullptr, "M", 50},
        StepCase{"WithoutLimitsZIsTheEnd", C::Letters, 1, nullptr, nullptr, "Z", 100},
        StepCase{"NoCharacterClassMeansLettersAndDigits", 0, 1, "0", "z", "9", 25}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// Keys sorted as a key that ignores case sorts them: the step's numbers
// never go down along them, so the progress never goes back.
TEST(TextStepOrder, NumbersFollowTheOrderOfKeysThatIgnoreCase)
{
    const std::vector<std::string> sorted{" lead blank", "007 Agents", "42nd Street", "abbot", "Adams", "adamson",
                                          "Baker",       "bakers",     "O'Brien",     "Ochoa", "Zhu",   "zz top"};
    TextStep step;
    step.init(C::Letters | C::Digits, 3);
    for (std::size_t i = 1; i < sorted.size(); ++i)
        EXPECT_LE(step.numberOf(sorted[i - 1]), step.numberOf(sorted[i])) << sorted[i - 1] << " / " << sorted[i];
}

TEST(TextStepOrder, SignificantCharactersAreClampedToTheMaximum)
{
    TextStep step;
    step.init(C::Letters, 40);
    EXPECT_EQ(step.significant(), TextStep::MaximumSignificant);
    EXPECT_EQ(step.percentile("zzzzzzzzzzzz"), 100);
}

} // namespace
