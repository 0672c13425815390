#include "framework/expr/evaluator.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "framework/core/binding.h"
#include "framework/core/error_codes.h"
#include "framework/core/text.h"

using fw::core::Binding;
using fw::core::Text;
using fw::expr::Evaluator;

namespace {

using Evaluation = fw::core::Expected<std::string>;

// What an evaluation gave, for comparing with a value or with an error's
// message: a failure never reads as a value, nor a value as a message.
std::string valueOf(const Evaluation& e) { return e ? *e : "(failed) " + e.error().text(); }
std::string messageOf(const Evaluation& e) { return e ? "(evaluated to) " + *e : e.error().message; }

// The builder's call as the command-line program receives it.
const std::string BuilderCall =
    "MakeHTMLFileBMKSW('out.html',3,16777215,100,'Report','','Arial',3,0,197,197,8270,11530,2,0,'A4')";

const std::vector<std::string> BuilderArguments = {"out.html", "3",   "16777215", "100",  "Report", "",  "Arial", "3",
                                                   "0",        "197", "197",      "8270", "11530",  "2", "0",     "A4"};

// Binds a recording stand-in for the builder and a few helpers, so that a
// test sees exactly which calls ran and with which argument texts.
class EvaluatorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_evaluator.bindProcedure("MakeHTMLFileBMKSW", 16, record("MakeHTMLFileBMKSW", 0));
        m_evaluator.bindProcedure("Echo", 1, record("Echo", 0));
        m_evaluator.bindProcedure("Seven", 0, record("Seven", 7));
        m_evaluator.bindProcedure("Twice", 1, [this](std::vector<std::string> a) {
            m_calls.push_back({"Twice", a});
            return 2 * fw::core::toNumber(a.at(0));
        });
        m_evaluator.bindField("b", Binding::of(m_byte));
        m_evaluator.bindField("L", Binding::of(m_long));
        m_evaluator.bindField("t", Binding::of(m_text));
        m_evaluator.bindField("GOD:QTY", Binding::of(m_quantity));
    }

    fw::expr::Procedure record(std::string name, std::int32_t result)
    {
        return [this, name, result](std::vector<std::string> arguments) {
            m_calls.push_back({name, std::move(arguments)});
            return result;
        };
    }

    struct Call {
        std::string name;
        std::vector<std::string> arguments;
    };

    Evaluator m_evaluator;
    std::vector<Call> m_calls;
    std::uint8_t m_byte = 200;
    std::int32_t m_long = -5;
    Text<6> m_text = "abc";
    std::int32_t m_quantity = 1000;
};

struct ResultCase {
    const char* name;
    std::string text;
    std::string result;
};

void PrintTo(const ResultCase& c, std::ostream* os) { *os << c.text.substr(0, 80); }

class Results : public EvaluatorTest, public ::testing::WithParamInterface<ResultCase> {};

TEST_P(Results, EvaluateTo)
{
    const Evaluation e = m_evaluator.evaluate(GetParam().text);
    ASSERT_TRUE(e) << e.error().text();
    EXPECT_EQ(*e, GetParam().result);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Expressions, Results,
    ::testing::Values(
        ResultCase{"WholeNumber", "42", "42"}, ResultCase{"DecimalNumber", "3.25", "3.25"},
        ResultCase{"TrailingZerosDropped", "2.50", "2.5"},
        ResultCase{"DecimalSumIsExact", "0.1 + 0.2", "0.3"},
        ResultCase{"DecimalDifferenceIsExact", "1 - 0.9", "0.1"},
        ResultCase{"ZeroHasNoSign", "3 - 3.0", "0"}, ResultCase{"MinusZero", "-0", "0"},
        ResultCase{"ProductBeforeSum", "2 + 3 * 4", "14"}, ResultCase{"Parentheses", "(2 + 3) * 4", "20"},
        ResultCase{"SubtractionFromTheLeft", "10 - 4 - 3", "3"},
        ResultCase{"DivisionFromTheLeft", "100 / 10 / 5", "2"}, ResultCase{"DivisionEnds", "10 / 4", "2.5"},
        ResultCase{"NegativeQuotient", "-7 / 2", "-3.5"},
        ResultCase{"EndlessQuotientCutAfterEighteenPlaces", "1 / 3", "0.333333333333333333"},
        ResultCase{"EndlessQuotientCutTowardZero", "-2 / 3", "-0.666666666666666666"},
        ResultCase{"DecimalProduct", "1.5 * 1.5", "2.25"},
        ResultCase{"ProductOfCutQuotients", "(1 / 3) * (1 / 3)", "0.11111111111111111"},
        ResultCase{"PlacesBeyondPrecisionDropped", "0.000000000000000001 * 0.5", "0"},
        ResultCase{"BeyondSixtyFourBits", "99999999999999999999 + 1", "100000000000000000000"},
        ResultCase{"UnaryMinusBindsFirst", "-3 * -2", "6"}, ResultCase{"DoubleMinus", "--3", "3"},
        ResultCase{"UnaryPlus", "+4", "4"}, ResultCase{"MinusOfGroup", "-(2 + 3)", "-5"},
        ResultCase{"BlanksAndTabsIgnored", "\t 1 +\t2 ", "3"}, ResultCase{"Text", "'abc'", "abc"},
        ResultCase{"DoubledQuote", "'it''s'", "it's"}, ResultCase{"EmptyText", "''", ""},
        ResultCase{"OnlyAQuote", "''''", "'"}, ResultCase{"Join", "'a' & 'b'", "ab"},
        ResultCase{"JoinAfterSum", "'n=' & 3 + 4", "n=7"}, ResultCase{"JoinNumbers", "1 & 2.50", "12.5"},
        ResultCase{"TextReadAsNumber", "' 12 ' + 1", "13"},
        ResultCase{"TextThatIsNoNumberCountsZero", "'abc' + 1", "1"},
        ResultCase{"Equal", "1 = 1", "1"}, ResultCase{"Less", "2 < 1", "0"},
        ResultCase{"NotEqual", "1 <> 2", "1"}, ResultCase{"GreaterEqual", "2 >= 2", "1"},
        ResultCase{"LessEqual", "1 <= 0.5", "0"}, ResultCase{"Greater", "0.5 > -0.5", "1"},
        ResultCase{"NegativeDecimalsCompare", "-1.5 < -1.2", "1"},
        ResultCase{"WholePartsCompareFirst", "1.2 > 0.9", "1"},
        ResultCase{"TextsIgnoreTrailingBlanks", "'abc' = 'abc  '", "1"},
        ResultCase{"TextsKeepLeadingBlanks", "' abc' = 'abc'", "0"},
        ResultCase{"TextOrder", "'a' < 'b'", "1"}, ResultCase{"TextAgainstNumber", "'10' = 10", "1"},
        ResultCase{"ComparisonLast", "1 + 1 = 2", "1"}, ResultCase{"ComparisonsFromTheLeft", "3 > 2 = 1", "1"},
        ResultCase{"CallResult", "Twice(4)", "8"}, ResultCase{"NameIgnoresCase", "tWiCe(4)", "8"},
        ResultCase{"NestedCalls", "Twice(Twice(2)) + 1", "9"}, ResultCase{"CallWithoutArguments", "Seven()", "7"},
        ResultCase{"ByteField", "b", "200"}, ResultCase{"LongField", "l * 2", "-10"},
        ResultCase{"TextFieldAtFullWidth", "t & '|'", "abc   |"},
        ResultCase{"TextFieldCompared", "T = 'abc'", "1"}, ResultCase{"FieldWithPrefix", "god:qty / 8", "125"},
        ResultCase{"BuilderCall", BuilderCall, "0"}),
    [](const ::testing::TestParamInfo<ResultCase>& info) { return std::string(info.param.name); });
// clang-format on

struct MalformedCase {
    const char* name;
    std::string text;
    std::string message;
};

void PrintTo(const MalformedCase& c, std::ostream* os) { *os << c.text.substr(0, 80); }

class Malformed : public EvaluatorTest, public ::testing::WithParamInterface<MalformedCase> {};

TEST_P(Malformed, GivesErrorAndRunsNothing)
{
    const Evaluation e = m_evaluator.evaluate(GetParam().text);
    ASSERT_FALSE(e) << "evaluated to " << *e;
    EXPECT_EQ(e.error().code, fw::core::ErrorCode::ExpressionError);
    EXPECT_EQ(e.error().message, GetParam().message);
    EXPECT_EQ(e.error().text(), "Expression: " + GetParam().message);
    EXPECT_TRUE(m_calls.empty()) << m_calls.size() << " procedure(s) ran, first " << m_calls.front().name;
}

const std::string Args15 = "'out.html',3,16777215,100,'Report','','Arial',3,0,197,197,8270,11530,2,0";

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Expressions, Malformed,
    ::testing::Values(
        MalformedCase{"Empty", "", "expression is empty"}, MalformedCase{"Blank", "   ", "expression is empty"},
        MalformedCase{"TextInFrontOfTheCall", "x " + BuilderCall, "unknown name 'x' at position 1"},
        MalformedCase{"AnotherName", "MakeHTMLFile('out.html')", "unknown name 'MakeHTMLFile' at position 1"},
        MalformedCase{"LeadingDigitLeftInFront", "5" + BuilderCall,
                      "unexpected 'MakeHTMLFileBMKSW' at position 2"},
        MalformedCase{"LeadingNumberLeftInFront", "7 " + BuilderCall,
                      "unexpected 'MakeHTMLFileBMKSW' at position 3"},
        MalformedCase{"CommaSeparatedLeadingNumbers", ",2," + BuilderCall, "unexpected ',' at position 1"},
        MalformedCase{"FifteenArguments", "MakeHTMLFileBMKSW(" + Args15 + ")",
                      "'MakeHTMLFileBMKSW' at position 1 takes 16 arguments, not 15"},
        MalformedCase{"SeventeenArguments", "MakeHTMLFileBMKSW(" + Args15 + ",'A4',1)",
                      "'MakeHTMLFileBMKSW' at position 1 takes 16 arguments, not 17"},
        MalformedCase{"ArgumentToProcedureWithoutParameters", "Seven(1)",
                      "'Seven' at position 1 takes 0 arguments, not 1"},
        MalformedCase{"NoArgumentsToProcedureWithParameters", "Echo()",
                      "'Echo' at position 1 takes 1 arguments, not 0"},
        MalformedCase{"BuilderCallThenRubbish", BuilderCall + " &", "expression ends where a value is expected"},
        MalformedCase{"BuilderCallThenUnknownName", BuilderCall + " & zz", "unknown name 'zz' at position 100"},
        MalformedCase{"ProcedureWithoutParentheses", "Seven + 1",
                      "'Seven' at position 1 needs its arguments in parentheses"},
        MalformedCase{"FieldCalled", "b(1)", "'b' at position 1 is not a procedure"},
        MalformedCase{"TextNotClosed", "Echo('abc)", "text at position 6 is not closed"},
        MalformedCase{"GroupNotClosed", "(1 + 2", "'(' at position 1 is not closed"},
        MalformedCase{"CallNotClosed", "1 + Echo(1", "call of 'Echo' at position 5 is not closed"},
        MalformedCase{"StrayClose", "1 + 2)", "unexpected ')' at position 6"},
        MalformedCase{"EmptyGroup", "()", "unexpected ')' at position 2"},
        MalformedCase{"TrailingOperator", "1 +", "expression ends where a value is expected"},
        MalformedCase{"OnlyAMinus", "-", "expression ends where a value is expected"},
        MalformedCase{"TwoOperators", "1 * * 2", "unexpected '*' at position 5"},
        MalformedCase{"LeadingStar", "*2", "unexpected '*' at position 1"},
        MalformedCase{"TwoValues", "1 2", "unexpected '2' at position 3"},
        MalformedCase{"TextAfterValue", "1 'a'", "unexpected ''a'' at position 3"},
        MalformedCase{"LongTokenShortened", "1 abcdefghijklmnopqrstuvwxyz",
                      "unexpected 'abcdefghijklmnopqrst...' at position 3"},
        MalformedCase{"LongValueShortened", "1 'abcdefghijklmnopqrstuvwxyz'",
                      "unexpected ''abcdefghijklmnopqrs...' at position 3"},
        MalformedCase{"CommaOutsideACall", "1, 2", "unexpected ',' at position 2"},
        MalformedCase{"CommaInAGroup", "Echo((1, 2))", "unexpected ',' at position 8"},
        MalformedCase{"EmptyArgument", "Echo(,1)", "unexpected ',' at position 6"},
        MalformedCase{"UnknownCharacter", "1 # 2", "unexpected character '#' at position 3"},
        MalformedCase{"ControlCharacter", "1\x01", "unexpected character 0x01 at position 2"},
        MalformedCase{"EightBitCharacter", "'a' & \xE9", "unexpected character 0xE9 at position 7"},
        MalformedCase{"DoubleQuotes", "Echo(\"a\")", "unexpected character '\"' at position 6"},
        MalformedCase{"DecimalPointWithoutPlaces", "1.", "unexpected character '.' at position 2"},
        MalformedCase{"NumberTooLarge", std::string("1").append(37, '0'), "number at position 1 is too large"},
        MalformedCase{"TooDeep", std::string(101, '(') + "1" + std::string(101, ')'),
                      "parentheses nested deeper than 100 levels at position 101"},
        MalformedCase{"CallsTooDeep", [] {
                          std::string s;
                          for (int i = 0; i < 101; ++i)
                              s += "Echo(";
                          return s + "1" + std::string(101, ')');
                      }(),
                      "parentheses nested deeper than 100 levels at position 501"},
        MalformedCase{"TooLong", BuilderCall + std::string(10001 - BuilderCall.size(), ' '),
                      "expression is longer than 10000 characters"}),
    [](const ::testing::TestParamInfo<MalformedCase>& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(EvaluatorTest, BuilderCallPassesItsSixteenArgumentTextsInOrder)
{
    const Evaluation e = m_evaluator.evaluate("  makehtmlfilebmksw( 'out.html' , 3,16777215,100,'Report','','Arial',"
                                              "3,0,197,197,8270,11530,2,0,'A4')  ");
    ASSERT_TRUE(e) << e.error().text();
    EXPECT_EQ(*e, "0");
    ASSERT_EQ(m_calls.size(), 1u);
    EXPECT_EQ(m_calls[0].name, "MakeHTMLFileBMKSW");
    EXPECT_EQ(m_calls[0].arguments, BuilderArguments);
}

TEST_F(EvaluatorTest, NumberArgumentsBecomeTheirDecimalText)
{
    const struct {
        const char* text;
        const char* argument;
    } cases[] = {
        {"Echo(1.50)", "1.5"}, {"Echo(-2)", "-2"},    {"Echo(2 * 3)", "6"},      {"Echo('a' & 1)", "a1"},
        {"Echo(b)", "200"},    {"Echo(t)", "abc   "}, {"Echo('it''s')", "it's"}, {"Echo(1/4)", "0.25"},
    };
    for (const auto& c : cases) {
        m_calls.clear();
        const Evaluation e = m_evaluator.evaluate(c.text);
        ASSERT_TRUE(e) << c.text << ": " << e.error().message;
        ASSERT_EQ(m_calls.size(), 1u) << c.text;
        EXPECT_EQ(m_calls[0].arguments, std::vector<std::string>{c.argument}) << c.text;
    }
}

TEST_F(EvaluatorTest, CallsRunFromTheLeftArgumentsFirst)
{
    const Evaluation e = m_evaluator.evaluate("Echo(Seven()) + Echo(Twice(3))");
    ASSERT_TRUE(e) << e.error().text();
    EXPECT_EQ(*e, "0");
    std::vector<std::string> order;
    for (const Call& c : m_calls)
        order.push_back(c.name + "(" + (c.arguments.empty() ? "" : c.arguments[0]) + ")");
    EXPECT_EQ(order, (std::vector<std::string>{"Seven()", "Echo(7)", "Twice(3)", "Echo(6)"}));
}

TEST_F(EvaluatorTest, FieldsAreReadWhenTheExpressionRuns)
{
    m_long = 41;
    m_text = "xy";
    EXPECT_EQ(valueOf(m_evaluator.evaluate("L + 1 & t")), "42xy    ");
}

TEST_F(EvaluatorTest, RunningFaultsStopWithErrorWhereTheyHappen)
{
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"1/0", "division by zero at position 2"},
        {"1 / (2 - 2)", "division by zero at position 3"},
        {"b / 'abc'", "division by zero at position 3"},
        {"9999999999999999999999999999999999999 * 10", "number too large at position 39"},
        {"9999999999999999999999999999999999999 + 1", "number too large at position 39"},
        {"9999999999999999999999999999999999999 / 0.1", "number too large at position 39"},
    };
    for (const auto& c : cases) {
        const Evaluation e = m_evaluator.evaluate(c.text);
        ASSERT_FALSE(e) << c.text << " evaluated to " << *e;
        EXPECT_EQ(e.error().code, fw::core::ErrorCode::ExpressionError) << c.text;
        EXPECT_EQ(e.error().message, c.message) << c.text;
        EXPECT_EQ(e.error().text(), std::string("Expression: ") + c.message);
    }
    // A call before the fault has run; nothing after it does.
    const Evaluation e = m_evaluator.evaluate("Echo(1) / 0 + Echo(2)");
    EXPECT_EQ(messageOf(e), "division by zero at position 9");
    ASSERT_EQ(m_calls.size(), 1u);
    EXPECT_EQ(m_calls[0].arguments, std::vector<std::string>{"1"});
}

TEST_F(EvaluatorTest, LimitsAreInclusive)
{
    const std::string deepest = std::string(100, '(') + "1" + std::string(100, ')');
    EXPECT_EQ(valueOf(m_evaluator.evaluate(deepest)), "1");
    const std::string longest = BuilderCall + std::string(10000 - BuilderCall.size(), ' ');
    EXPECT_EQ(valueOf(m_evaluator.evaluate(longest)), "0");
    EXPECT_EQ(valueOf(m_evaluator.evaluate("99999999999999999999999999999999999 * 10")),
              "999999999999999999999999999999999990");
}

TEST_F(EvaluatorTest, LongInputsNeedNoDeepStack)
{
    // Operators that chain without parentheses are not limited by depth.
    EXPECT_EQ(valueOf(m_evaluator.evaluate(std::string(9999, '-') + "1")), "-1");
    std::string sum = "1";
    while (sum.size() + 2 <= 10000)
        sum += "+1";
    EXPECT_EQ(valueOf(m_evaluator.evaluate(sum)), "5000");
    std::string joined = "'a'";
    while (joined.size() + 4 <= 10000)
        joined += "&'a'";
    EXPECT_EQ(valueOf(m_evaluator.evaluate(joined)), std::string(2500, 'a'));
}

TEST_F(EvaluatorTest, ScopeRestoresTheNamesBoundWhenItWasSaved)
{
    const Evaluator::Scope saved = m_evaluator.saveScope();
    m_evaluator.bindProcedure("Extra", 0, record("Extra", 3));
    m_evaluator.bindProcedure("twice", 1, record("Rebound", 5));
    EXPECT_EQ(valueOf(m_evaluator.evaluate("Extra() + Twice(1)")), "8");
    m_evaluator.restoreScope(saved);
    const Evaluation gone = m_evaluator.evaluate("Extra()");
    ASSERT_FALSE(gone) << "evaluated to " << *gone;
    EXPECT_EQ(gone.error().code, fw::core::ErrorCode::ExpressionError);
    EXPECT_EQ(gone.error().message, "unknown name 'Extra' at position 1");
    EXPECT_EQ(valueOf(m_evaluator.evaluate("Twice(1)")), "2");
    m_evaluator.restoreScope(Evaluator::Scope());
    EXPECT_EQ(messageOf(m_evaluator.evaluate(BuilderCall)), "unknown name 'MakeHTMLFileBMKSW' at position 1");
}

TEST_F(EvaluatorTest, NameBoundFromAPaddedTextIsFound)
{
    const Text<24> name("Padded");
    m_evaluator.bindProcedure(name.view(), 0, record("Padded", 4));
    EXPECT_EQ(valueOf(m_evaluator.evaluate("padded()")), "4");
}

TEST_F(EvaluatorTest, ProcedureMayRestoreTheScopeWhileItRuns)
{
    const Evaluator::Scope empty;
    m_evaluator.bindProcedure("Leave", 0, [this, &empty](std::vector<std::string>) {
        m_evaluator.restoreScope(empty);
        return 1;
    });
    EXPECT_EQ(valueOf(m_evaluator.evaluate("Leave() + Leave()")), "2");
    EXPECT_EQ(messageOf(m_evaluator.evaluate("Leave()")), "unknown name 'Leave' at position 1");
}

} // namespace
