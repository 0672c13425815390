#include "framework/core/picture.h"

#include <gtest/gtest.h>

#include "framework/core/date_time.h"

using namespace fw::core;

namespace {

struct NumberRow {
    const char* name;
    const char* picture;
    std::int64_t value;
    const char* expected;
};

void PrintTo(const NumberRow& row, std::ostream* os) { *os << row.name; }

class PictureOfNumber : public testing::TestWithParam<NumberRow> {};

TEST_P(PictureOfNumber, GivesExactlyTheseCharacters)
{
    const NumberRow& row = GetParam();
    EXPECT_EQ(formatPicture(row.picture, row.value), row.expected);
}

// Every picture the reports use, with zero and a typical value, and the
// edges where a number no longer fits its positions.
const NumberRow numberRows[] = {
    {"N05Zero", "n05", 0, "00000"},
    {"N05Zip", "n05", 2010, "02010"},
    {"N05Full", "n05", 98765, "98765"},
    {"N05Negative", "n05", -42, "-0042"},
    {"N05TooWide", "n05", 123456, "#####"},
    {"N4Zero", "n4", 0, "   0"},
    {"N4Year", "n4", 2027, "2027"},
    {"N4Room", "n4", 12, "  12"},
    {"N4Negative", "n4", -12, " -12"},
    {"N4NegativeTooWide", "n4", -1234, "####"},
    {"N3Zero", "n3", 0, "  0"},
    {"N3Percent", "n3", 42, " 42"},
    {"N3Hundred", "n3", 100, "100"},
    {"N3WithAt", "@n3", 7, "  7"},
    {"UpperN", "N4", 5, "   5"},
    {"D5BNoDate", "D5B", 0, "        "},
    {"D5BFirstDay", "D5B", 4, "01/01/01"},
    {"D5BMillennium", "D5B", 72687, "01/01/00"},
    {"D5BTypical", "D5B", 82527, "10/12/26"},
    {"D5BLeapDay", "@D5B", 72746, "29/02/00"},
    {"D5BNegativeIsBlank", "D5B", -5, "        "},
    {"D5BBeyond9999IsBlank", "D5B", LastDateSerial + 1, "        "},
    {"T7BNoTime", "T7B", 0, "     "},
    {"T7BMidnight", "T7B", 1, "00:00"},
    {"T7BTypical", "T7B", 4500001, "12:30"},
    {"T7BLast", "@T7B", 8640000, "23:59"},
    {"T7BPastMidnightIsBlank", "T7B", 8640001, "     "},
    {"PSocialZero", "P###-##-####P", 0, "000-00-0000"},
    {"PSocialTypical", "P###-##-####P", 123456789, "123-45-6789"},
    {"PSocialShort", "P###-##-####P", 4567, "000-00-4567"},
    {"PSocialTooWide", "P###-##-####P", 1234567890, "###-##-####"},
    {"PSocialNegative", "@P###-##-####P", -1, "###-##-####"},
    {"PClassZero", "P##-#####P", 0, "00-00000"},
    {"PClassTypical", "P##-#####P", 1234567, "12-34567"},
    {"PPageZero", "pPage <<<#p", 0, "Page    0"},
    {"PPageOne", "pPage <<<#p", 1, "Page    1"},
    {"PPageTypical", "pPage <<<#p", 203, "Page  203"},
    {"PPageFull", "pPage <<<#p", 9999, "Page 9999"},
    {"PPageZeroInsideKept", "pPage <<<#p", 1005, "Page 1005"},
    {"PHashEndsLeadingZeros", "p<#<<p", 5, " 005"},
    {"S20OfNumber", "s20", 42, "42                  "},
};

INSTANTIATE_TEST_SUITE_P(Rows, PictureOfNumber, testing::ValuesIn(numberRows),
                         [](const testing::TestParamInfo<NumberRow>& info) { return std::string(info.param.name); });

struct TextRow {
    const char* name;
    const char* picture;
    const char* value;
    std::string expected;
};

void PrintTo(const TextRow& row, std::ostream* os) { *os << row.name; }

class PictureOfText : public testing::TestWithParam<TextRow> {};

TEST_P(PictureOfText, GivesExactlyTheseCharacters)
{
    const TextRow& row = GetParam();
    EXPECT_EQ(formatPicture(row.picture, std::string_view(row.value)), row.expected);
}

const TextRow textRows[] = {
    {"S20Blank", "s20", "", "                    "},
    {"S20Name", "s20", "Aldridge, Ruth", "Aldridge, Ruth      "},
    {"S20Cut", "s20", "Abercrombie-Fitzwilliam", "Abercrombie-Fitzwill"},
    {"S20KeepsCase", "S20", "Blackwood", "Blackwood           "},
    {"S2State", "S2", "NSW", "NS"},
    {"S2Blank", "S2", "", "  "},
    {"S12Phone", "@s12", "(02) 9555 0101", "(02) 9555 01"},
    {"S100Email", "s100", "ruth@example.com", std::string("ruth@example.com").append(84, ' ')},
    {"S200Blank", "s200", "", std::string(200, ' ')},
    {"N05OfText", "n05", "  2010 ", "02010"},
    {"N4OfTextNotNumber", "n4", "abc", "   0"},
    {"POfText", "P##-#####P", "1234567", "12-34567"},
};

INSTANTIATE_TEST_SUITE_P(Rows, PictureOfText, testing::ValuesIn(textRows),
                         [](const testing::TestParamInfo<TextRow>& info) { return std::string(info.param.name); });

TEST(Picture, TokensThatAreNoPictureLeaveTheValueUnformatted)
{
    const char* notPictures[] = {"",    "@",  "s",   "s0",   "n", "n0",      "nx", "D5",
                                 "D6B", "T7", "T1B", "P##p", "P", "s999999", "x20"};
    for (const char* token : notPictures) {
        SCOPED_TRACE(token);
        EXPECT_FALSE(Picture::parse(token).has_value());
        EXPECT_EQ(formatPicture(token, std::int64_t{-42}), "-42");
        EXPECT_EQ(formatPicture(token, std::string_view("as is ")), "as is ");
    }
}

TEST(Picture, WidthAndKindOfEachForm)
{
    struct Row {
        const char* token;
        Picture::Kind kind;
        std::size_t width;
    };
    // clang-format off
    const Row rows[] = {
        {"s200", Picture::Kind::Text, 200},        {"n05", Picture::Kind::Number, 5},
        {"D5B", Picture::Kind::Date, 8},           {"T7B", Picture::Kind::Time, 5},
        {"pPage <<<#p", Picture::Kind::Pattern, 9}, {"P###-##-####P", Picture::Kind::Pattern, 11},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.token);
        const std::optional<Picture> p = Picture::parse(row.token);
        ASSERT_TRUE(p.has_value());
        EXPECT_EQ(p->kind(), row.kind);
        EXPECT_EQ(p->width(), row.width);
        EXPECT_EQ(p->takesText(), row.kind == Picture::Kind::Text);
    }
}

} // namespace
