#include "framework/automation/header_folding.h"

#include <gtest/gtest.h>

#include <string>

using namespace fw::automation;

namespace {

struct FoldRow {
    const char* name;
    std::string raw;
    std::string folded;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const FoldRow& row, std::ostream* os) { *os << row.name; }

class UnstructuredFolding : public testing::TestWithParam<FoldRow> {};

TEST_P(UnstructuredFolding, BreaksOnlyInFrontOfWhitespaceItHas)
{
    EXPECT_EQ(foldUnstructured("Subject", GetParam().raw), GetParam().folded);
}

const std::string word62 = "=?us-ascii?Q?" + std::string(62, 'S') + "?="; // 77 characters
const std::string word30 = "=?us-ascii?Q?" + std::string(30, 'S') + "?=";

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, UnstructuredFolding,
    testing::Values(
        FoldRow{"ShortStaysOnItsLine", " Monthly report", " Monthly report\n"},
        // "Subject: " and 70 letters make 79: the last word moves down.
        FoldRow{"FoldsInFrontOfTheBlank", " " + std::string(60, 'a') + " " + std::string(9, 'b'),
                " " + std::string(60, 'a') + "\n " + std::string(9, 'b') + "\n"},
        FoldRow{"ExactlySeventyEightStays", " " + std::string(60, 'a') + " " + std::string(8, 'b'),
                " " + std::string(60, 'a') + " " + std::string(8, 'b') + "\n"},
        // GMime's first encoded word beside "Subject:" would make 86.
        FoldRow{"FirstWordMovesBelowTheName", " " + word62 + "\n " + word30 + "\n",
                "\n " + word62 + "\n " + word30 + "\n"},
        FoldRow{"OldFoldsGoWhereTheyAreNotNeeded", " a\r\n b\r\n\tc\n", " a b\tc\n"},
        FoldRow{"AWordLongerThanALineStaysWhole", " " + std::string(100, 'w') + " x",
                "\n " + std::string(100, 'w') + "\n x\n"},
        FoldRow{"TrailingBlanksStay", " a  ", " a  \n"},
        FoldRow{"Empty", "", "\n"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

} // namespace
