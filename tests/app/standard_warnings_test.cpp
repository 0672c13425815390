#include <gtest/gtest.h>

#include "framework/app/standard_warnings.h"
#include "framework/core/error_codes.h"
#include "tests/support/message_capture.h"

using namespace fw::app;
namespace Code = fw::core::ErrorCode;

namespace {

struct WarningCase {
    const char* name;
    int code;
    const char* retrieval;
    const char* viewOpen;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const WarningCase& row, std::ostream* os) { *os << row.name; }

class StandardWarningTest : public ::testing::TestWithParam<WarningCase> {};

TEST_P(StandardWarningTest, ShowsTheStandardTexts)
{
    const WarningCase& c = GetParam();
    test_support::MessageCapture capture;
    const fw::core::Error error{"data file", "detail", c.code};
    recordRetrievalWarning(error, "Goods");
    viewOpenWarning(error);
    ASSERT_EQ(capture.messages.size(), 2u);
    EXPECT_EQ(capture.messages[0].caption, "Record Retrieval Error");
    EXPECT_EQ(capture.messages[0].text, c.retrieval);
    EXPECT_EQ(capture.messages[1].caption, "View Open Error");
    EXPECT_EQ(capture.messages[1].text, c.viewOpen);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, StandardWarningTest,
    ::testing::Values(
        WarningCase{"Damaged", Code::InvalidDataFile,
                    "Error: (Not a valid data file) attempting to access a record from the Goods file.  Returning to "
                    "previous window.",
                    "Error: (Not a valid data file) attempting to open the current VIEW. Filter and Range Limits "
                    "ignored."},
        WarningCase{"NotOpen", Code::FileNotOpen,
                    "Error: (File not open) attempting to access a record from the Goods file.  Returning to "
                    "previous window.",
                    "Error: (File not open) attempting to open the current VIEW. Filter and Range Limits ignored."}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
