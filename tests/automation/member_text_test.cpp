#include "framework/automation/member_text.h"

#include <gtest/gtest.h>

using namespace fw::automation;

namespace {

// A parse shown as one line: the reference in brackets, then each member
// with its arguments (numbers bare, texts in quotes).
std::string shape(const MemberText& t)
{
    std::string s = "[" + t.reference + "]";
    for (const Member& m : t.members) {
        s += "." + m.name;
        if (m.arguments.empty())
            continue;
        s += "(";
        for (std::size_t i = 0; i < m.arguments.size(); ++i) {
            if (i)
                s += ",";
            s += describeValue(m.arguments[i]);
        }
        s += ")";
    }
    return s;
}

struct GoodRow {
    const char* name;
    std::string text;
    std::string shape;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const GoodRow& row, std::ostream* os) { *os << row.name; }

class MemberTextGood : public testing::TestWithParam<GoodRow> {};

TEST_P(MemberTextGood, ParsesIntoReferenceMembersAndArguments)
{
    const auto parsed = parseMemberText(GetParam().text);
    ASSERT_TRUE(parsed) << parsed.error().text();
    EXPECT_EQ(shape(*parsed), GetParam().shape);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, MemberTextGood,
    testing::Values(
        GoodRow{"CreateItem", "CreateItem(0)", "[].CreateItem(0)"},
        GoodRow{"RtfAttachment", R"x(#12.Attachments.Add("C:\w\KR\Report.RTF",1,1,"Report.rtf"))x",
                R"x([#12].Attachments.Add("C:\w\KR\Report.RTF",1,1,"Report.rtf"))x"},
        GoodRow{"RecipientWithLeadingBlank", R"x(#3.Recipients.Add(" x2"))x", R"x([#3].Recipients.Add(" x2"))x"},
        GoodRow{"EmptyRecipient", R"x(#3.Recipients.Add(""))x", R"x([#3].Recipients.Add(""))x"},
        GoodRow{"LowerCaseType", "#4.type", "[#4].type"},
        GoodRow{"Subject", "#1.Subject", "[#1].Subject"},
        GoodRow{"Display", "#1.Display", "[#1].Display"},
        GoodRow{"EmptyArgumentList", "#1.Display()", "[#1].Display"},
        GoodRow{"DotWithoutReference", ".Subject", "[].Subject"},
        GoodRow{"DottedWithoutReference", R"x(.Attachments.Add("a",1,1,"b"))x", R"x([].Attachments.Add("a",1,1,"b"))x"},
        GoodRow{"TrailingBlanksIgnored", "#1.Subject   ", "[#1].Subject"},
        GoodRow{"NegativeNumber", "Item(-5)", "[].Item(-5)"},
        GoodRow{"ReferenceOf19Characters", "#999999999999999999.x", "[#999999999999999999].x"},
        GoodRow{"QuotedDisplayName", R"x(#1.Recipients.Add(""Jane Doe" <jane@example.org>"))x",
                R"x([#1].Recipients.Add(""Jane Doe" <jane@example.org>"))x"},
        GoodRow{"QuoteBeforeCommaEndsTheText", R"x(#1.Recipients.Add("a","b"))x", R"x([#1].Recipients.Add("a","b"))x"},
        GoodRow{"DataWithDotsParensAndCommas", R"x(#1.Subject(".Display(),1)"))x", R"x([#1].Subject(".Display(),1)"))x"},
        GoodRow{"LineBreaksInsideText", "#1.Recipients.Add(\"a\r\nBcc: b\")",
                "[#1].Recipients.Add(\"a\r\nBcc: b\")"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct BadRow {
    const char* name;
    std::string text;
    std::string error;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const BadRow& row, std::ostream* os) { *os << row.name; }

class MemberTextBad : public testing::TestWithParam<BadRow> {};

TEST_P(MemberTextBad, IsRefusedWithThePositionOfTheFault)
{
    const auto parsed = parseMemberText(GetParam().text);
    ASSERT_FALSE(parsed) << shape(*parsed);
    EXPECT_EQ(parsed.error().text(), GetParam().error);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, MemberTextBad,
    testing::Values(
        BadRow{"Empty", "", "member text: the member text is empty at position 1"},
        BadRow{"OnlyBlanks", "   ", "member text: the member text is empty at position 1"},
        BadRow{"OnlyADot", ".", "member text: a member name is expected at position 2"},
        BadRow{"ReferenceAlone", "#12", "member text: \".\" is expected after the object reference at position 4"},
        BadRow{"ReferenceWithoutDigits", "#.Subject", "member text: digits are expected after \"#\" at position 2"},
        BadRow{"ReferenceTooLong", "#1234567890123456789.x",
               "member text: the object reference is too long at position 1"},
        BadRow{"DoubleDot", "#1..Subject", "member text: a member name is expected at position 4"},
        BadRow{"TrailingDot", "#1.Subject.", "member text: a member name is expected at position 12"},
        BadRow{"NameStartsWithDigit", "#1.1Subject", "member text: a member name is expected at position 4"},
        BadRow{"BlankInsideText", "#1. Subject", "member text: a member name is expected at position 4"},
        BadRow{"UnclosedArguments", "CreateItem(0", "member text: \",\" or \")\" is expected at position 13"},
        BadRow{"UnclosedText", R"x(#1.Recipients.Add("x1))x", "member text: the quoted text is not closed at position 19"},
        BadRow{"QuoteAtTheVeryEnd", R"x(#1.Recipients.Add("x1")x", "member text: the quoted text is not closed at position 19"},
        BadRow{"MissingArgument", "Add(1,)", "member text: a number or a quoted text is expected at position 7"},
        BadRow{"BareWordArgument", "Add(x)", "member text: a number or a quoted text is expected at position 5"},
        BadRow{"DecimalNumber", "Add(1.5)", "member text: \",\" or \")\" is expected at position 6"},
        BadRow{"NumberTooLong", "Add(1234567890123456789)", "member text: the number is too long at position 5"},
        BadRow{"ArgumentsBeforeAnotherMember", R"x(#1.Recipients.Add("x").Display)x",
               "member text: only the last member may take arguments at position 23"},
        BadRow{"QuoteInjectionCallingOnward", R"x(#1.Recipients.Add("x").Display("")x",
               "member text: only the last member may take arguments at position 23"},
        BadRow{"QuoteInjectionLeavingJunk", R"x(#1.Recipients.Add("a")b"))x",
               "member text: \".\" or the end of the text is expected at position 23"},
        BadRow{"JunkAfterText", "#1.Subject=1", "member text: \".\" or the end of the text is expected at position 11"},
        BadRow{"LeadingBlank", " #1.Subject", "member text: a member name is expected at position 1"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

} // namespace
