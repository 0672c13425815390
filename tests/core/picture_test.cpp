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
    {"n05_zero", "n05", 0, "00000"},
    {"n05_zip", "n05", 2010, "02010"},
    {"n05_full", "n05", 98765, "98765"},
    {"n05_negative", "n05", -42, "-0042"},
    {"n05_too_wide", "n05", 123456, "#####"},
    {"n4_zero", "n4", 0, "   0"},
    {"n4_year", "n4", 2027, "2027"},
    {"n4_room", "n4", 12, "  12"},
    {"n4_negative", "n4", -12, " -12"},
    {"n4_negative_too_wide", "n4", -1234, "####"},
    {"n3_zero", "n3", 0, "  0"},
    {"n3_percent", "n3", 42, " 42"},
    {"n3_hundred", "n3", 100, "100"},
    {"n3_with_at", "@n3", 7, "  7"},
    {"upper_N", "N4", 5, "   5"},
    {"D5B_no_date", "D5B", 0, "        "},
    {"D5B_first_day", "D5B", 4, "01/01/01"},
    {"D5B_millennium", "D5B", 72687, "01/01/00"},
    {"D5B_typical", "D5B", 82527, "10/12/26"},
    {"D5B_leap_day", "@D5B", 72746, "29/02/00"},
    {"D5B_negative_is_blank", "D5B", -5, "        "},
    {"D5B_beyond_9999_is_blank", "D5B", LastDateSerial + 1, "        "},
    {"T7B_no_time", "T7B", 0, "     "},
    {"T7B_midnight", "T7B", 1, "00:00"},
    {"T7B_typical", "T7B", 4500001, "12:30"},
    {"T7B_last", "@T7B", 8640000, "23:59"},
    {"T7B_past_midnight_is_blank", "T7B", 8640001, "     "},
    {"P_social_zero", "P###-##-####P", 0, "000-00-0000"},
    {"P_social_typical", "P###-##-####P", 123456789, "123-45-6789"},
    {"P_social_short", "P###-##-####P", 4567, "000-00-4567"},
    {"P_social_too_wide", "P###-##-####P", 1234567890, "###-##-####"},
    {"P_social_negative", "@P###-##-####P", -1, "###-##-####"},
    {"P_class_zero", "P##-#####P", 0, "00-00000"},
    {"P_class_typical", "P##-#####P", 1234567, "12-34567"},
    {"p_page_zero", "pPage <<<#p", 0, "Page    0"},
    {"p_page_one", "pPage <<<#p", 1, "Page    1"},
    {"p_page_typical", "pPage <<<#p", 203, "Page  203"},
    {"p_page_full", "pPage <<<#p", 9999, "Page 9999"},
    {"p_page_zero_inside_kept", "pPage <<<#p", 1005, "Page 1005"},
    {"p_hash_ends_leading_zeros", "p<#<<p", 5, " 005"},
    {"s20_of_number", "s20", 42, "42                  "},
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
    {"s20_blank", "s20", "", "                    "},
    {"s20_name", "s20", "Aldridge, Ruth", "Aldridge, Ruth      "},
    {"s20_cut", "s20", "Abercrombie-Fitzwilliam", "Abercrombie-Fitzwill"},
    {"S20_keeps_case", "S20", "Blackwood", "Blackwood           "},
    {"S2_state", "S2", "NSW", "NS"},
    {"S2_blank", "S2", "", "  "},
    {"s12_phone", "@s12", "(02) 9555 0101", "(02) 9555 01"},
    {"s100_email", "s100", "ruth@example.com", std::string("ruth@example.com").append(84, ' ')},
    {"s200_blank", "s200", "", std::string(200, ' ')},
    {"n05_of_text", "n05", "  2010 ", "02010"},
    {"n4_of_text_not_number", "n4", "abc", "   0"},
    {"P_of_text", "P##-#####P", "1234567", "12-34567"},
};

INSTANTIATE_TEST_SUITE_P(Rows, PictureOfText, testing::ValuesIn(textRows),
                         [](const testing::TestParamInfo<TextRow>& info) { return std::string(info.param.name); });

TEST(Picture, TokensThatAreNoPictureLeaveTheValueUnformatted)
{
    const char* notPictures[] = {"", "@", "s", "s0", "n", "n0", "nx", "D5", "D6B", "T7", "T1B", "P##p", "P",
                                 "s999999", "x20"};
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
    const Row rows[] = {
        {"s200", Picture::Kind::Text, 200},        {"n05", Picture::Kind::Number, 5},
        {"D5B", Picture::Kind::Date, 8},           {"T7B", Picture::Kind::Time, 5},
        {"pPage <<<#p", Picture::Kind::Pattern, 9}, {"P###-##-####P", Picture::Kind::Pattern, 11},
    };
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
