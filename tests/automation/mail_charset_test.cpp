#include "framework/automation/mail_charset.h"

#include <gtest/gtest.h>

#include "framework/automation/value.h"

using namespace fw::automation;

namespace {

struct HeaderRow {
    const char* name;
    std::string bytes;
    std::string charset;
    std::string header; // UTF-8
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const HeaderRow& row, std::ostream* os) { *os << row.name; }

class HeaderText : public testing::TestWithParam<HeaderRow> {};

TEST_P(HeaderText, NamesTheCharsetAndGivesUtf8WithoutControls)
{
    EXPECT_EQ(charsetOf(GetParam().bytes), GetParam().charset);
    EXPECT_EQ(headerText(GetParam().bytes), GetParam().header);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HeaderText,
    testing::Values(HeaderRow{"Ascii", "Report", "us-ascii", "Report"},
                    HeaderRow{"LineBreaksAndTabsBecomeBlanks", "a\r\nb\tc\x7F", "us-ascii", "a  b c "},
                    HeaderRow{"Utf8Stays", "K\xC3\xB6ln \xE2\x82\xAC", "utf-8", "K\xC3\xB6ln \xE2\x82\xAC"},
                    HeaderRow{"Windows1252", "K\xF6ln \x80", "windows-1252", "K\xC3\xB6ln \xE2\x82\xAC"},
                    HeaderRow{"Latin1WithC1Control", "\x81K\xF6ln", "iso-8859-1", " K\xC3\xB6ln"},
                    HeaderRow{"TruncatedUtf8", "K\xC3", "windows-1252", "K\xC3\x83"},
                    HeaderRow{"SurrogateIsNotUtf8", "\xED\xA0\x80", "windows-1252", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"}),
    [](const auto& info) { return std::string(info.param.name); });

struct IntegerRow {
    const char* name;
    Value value;
    std::optional<std::int64_t> integer;
    std::string text;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const IntegerRow& row, std::ostream* os) { *os << row.name; }

class ValueConversion : public testing::TestWithParam<IntegerRow> {};

TEST_P(ValueConversion, NumbersAndTextsCoerceLikeAnAutomationServer)
{
    EXPECT_EQ(valueInteger(GetParam().value), GetParam().integer);
    EXPECT_EQ(valueText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Rows, ValueConversion,
                         testing::Values(IntegerRow{"Number", Value(std::int64_t(-3)), -3, "-3"},
                                         IntegerRow{"NumericText", Value(std::string(" +2 ")), 2, " +2 "},
                                         IntegerRow{"Word", Value(std::string("High")), std::nullopt, "High"},
                                         IntegerRow{"Decimal", Value(std::string("1.5")), std::nullopt, "1.5"},
                                         IntegerRow{"EmptyText", Value(std::string()), std::nullopt, ""},
                                         IntegerRow{"Nothing", Value(), std::nullopt, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
