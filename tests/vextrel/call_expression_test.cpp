// The call expression taken from the command line: leading blanks and digits
// blanked up to position 100, the rest clipped and moved to the left.

#include <gtest/gtest.h>

#include <string>

#include "cmdmailer/program/call_expression.h"

namespace {

using vextrel::blankLeadingNumbers;
using vextrel::callExpression;
using vextrel::CommandLineText;

struct ExpressionCase {
    const char* name;
    std::string commandLine;
    std::string expression;
};

void PrintTo(const ExpressionCase& c, std::ostream* out) { *out << c.name; }

class CallExpression : public ::testing::TestWithParam<ExpressionCase> {};

TEST_P(CallExpression, IsTheCommandLineWithoutItsLeadingNumbers)
{
    CommandLineText text(GetParam().commandLine);
    blankLeadingNumbers(text);
    EXPECT_EQ(callExpression(text), GetParam().expression);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    CommandLines, CallExpression,
    ::testing::Values(
        ExpressionCase{"JobModeAndCall", "12 2 Make('a',1)", "Make('a',1)"},
        ExpressionCase{"CallAlone", "Make('a',1)", "Make('a',1)"},
        ExpressionCase{"BlankRunsAroundTheNumbers", "   12   2   Make( 1 )   ", "Make( 1 )"},
        ExpressionCase{"EveryLeadingNumberGoes", "12 2 3 44 Make(12)", "Make(12)"},
        ExpressionCase{"DigitsAfterTheFirstOtherCharacterStay", "12 2 M1(12 2)", "M1(12 2)"},
        ExpressionCase{"ACommaStopsTheBlanking", "12,2,Make(1)", ",2,Make(1)"},
        ExpressionCase{"ADecimalPointIsNoDigit", "1.5 Make", ".5 Make"},
        ExpressionCase{"ASignIsNoDigit", "-1 Make", "-1 Make"},
        ExpressionCase{"OnlyNumbersLeaveNothing", "12 2", ""},
        ExpressionCase{"Empty", "", ""},
        ExpressionCase{"HundredDigitsAreAllBlanked", std::string(100, '7') + "Make", "Make"},
        ExpressionCase{"TheHundredAndFirstDigitStays", std::string(101, '7') + "Make", "7Make"},
        ExpressionCase{"PositionsBeyondAHundredAreNeverBlanked", std::string(100, ' ') + "  12 Make", "12 Make"},
        ExpressionCase{"ALongerLineIsCutAtTenThousand", "1 " + std::string(10000, 'x'), std::string(9998, 'x')}),
    [](const ::testing::TestParamInfo<ExpressionCase>& info) { return std::string(info.param.name); });
// clang-format on

} // namespace
