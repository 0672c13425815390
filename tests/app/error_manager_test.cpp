#include <gtest/gtest.h>

#include "framework/app/error_manager.h"
#include "framework/core/error_codes.h"
#include "framework/threads/scheduler.h"
#include "tests/support/message_capture.h"

using namespace fw::app;
namespace Code = fw::core::ErrorCode;

namespace {

struct MessageCase {
    const char* name;
    Msg id;
    const char* file;
    fw::core::Error error;
    const char* argument;
    const char* field;
    const char* caption;
    const char* text;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const MessageCase& row, std::ostream* os) { *os << row.name; }

class ErrorManagerMessageTest : public ::testing::TestWithParam<MessageCase> {};

TEST_P(ErrorManagerMessageTest, ShowsTheTableTextFilledIn)
{
    const MessageCase& c = GetParam();
    test_support::MessageCapture capture;
    ErrorManager errors;
    errors.init();
    errors.setFieldName(c.field);
    const Level level = c.file ? errors.throwFileMessage(c.id, c.file, c.error, c.argument)
                               : errors.throwMessage(c.id, c.argument);
    EXPECT_EQ(level, Level::Notify);
    ASSERT_EQ(capture.messages.size(), 1u);
    EXPECT_EQ(capture.messages[0].caption, c.caption);
    EXPECT_EQ(capture.messages[0].text, c.text);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Messages, ErrorManagerMessageTest,
    ::testing::Values(
        MessageCase{"FieldContents", Msg::FieldNotInFile, nullptr, {}, "Teachers", "Classes Teacher Number",
                    "Field contents error", "The value of Classes Teacher Number must be found in the Teachers file."},
        MessageCase{"OpenFailed", Msg::OpenFailed, "Customer",
                    {"data file", "CUSTOMER: opening: CUSTOMER.sqlite does not exist", Code::FileNotFound}, "", "",
                    "File Open Error",
                    "Error: (File not found) attempting to open the Customer file.|data file: CUSTOMER: opening: "
                    "CUSTOMER.sqlite does not exist"},
        MessageCase{"CreateFailed", Msg::CreateFailed, "Students", {"data file", "", Code::AccessDenied}, "", "",
                    "File Creation Error", "Error: (Access denied) attempting to create the Students file."},
        MessageCase{"RestrictDelete", Msg::RestrictDelete, "Teachers", {}, "Classes", "",
                    "Referential Integrity Delete Error",
                    "This Teachers record cannot be deleted: records of the Classes file refer to it."},
        MessageCase{"DuplicateKey", Msg::DuplicateKey, "Customer", {"data file", "x", Code::DuplicateKey},
                    "CUS:ByName", "", "Duplicate Key Error",
                    "The record would duplicate the key CUS:ByName of the Customer file."}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(ErrorManagerTest, FieldNameServesOneMessageOnly)
{
    test_support::MessageCapture capture;
    ErrorManager errors;
    errors.setFieldName("Room");
    // The texts are what this test is about, not the levels they answer.
    (void)errors.throwMessage(Msg::FieldNotInFile, "Rooms");
    (void)errors.throwMessage(Msg::FieldNotInFile, "Rooms");
    ASSERT_EQ(capture.messages.size(), 2u);
    EXPECT_EQ(capture.messages[0].text, "The value of Room must be found in the Rooms file.");
    EXPECT_EQ(capture.messages[1].text, "The value of  must be found in the Rooms file.");
}

TEST(ErrorManagerTest, MessagesNameTheProcedureThatRunsAndItsPredecessorComesBack)
{
    test_support::MessageCapture capture;
    ErrorManager errors;
    errors.init();
    errors.setProcedureName("TarvenCustomers");
    errors.setProcedureName("TarvenStudents");
    EXPECT_EQ(errors.procedureName(), "TarvenStudents");
    errors.restoreProcedureName();
    EXPECT_EQ(errors.procedureName(), "TarvenCustomers");
    (void)errors.throwMessage(Msg::FieldNotInFile, "X"); // its text is what counts here
    ASSERT_EQ(capture.messages.size(), 1u);
    EXPECT_EQ(capture.messages[0].text, "The value of  must be found in the X file.||Procedure: TarvenCustomers");
    errors.restoreProcedureName();
    errors.restoreProcedureName();
    EXPECT_EQ(errors.procedureName(), "");
}

TEST(ErrorManagerTest, EachThreadRestoresItsOwnPredecessor)
{
    ErrorManager errors;
    errors.init();
    errors.setProcedureName("Main");
    // Two reports that set their names and then wait, so that their restores
    // come in the opposite order of their sets.
    bool secondHasSet = false;
    std::string firstSawAfterRestore = "unset";
    const auto first = fw::threads::start([&] {
        errors.setProcedureName("TarvenCustomers");
        fw::threads::waitUntil([&] { return secondHasSet; });
        EXPECT_EQ(errors.procedureName(), "TarvenCustomers");
        errors.restoreProcedureName();
        firstSawAfterRestore = errors.procedureName();
    });
    const auto second = fw::threads::start([&] {
        errors.setProcedureName("TarvenStudents");
        secondHasSet = true;
        fw::threads::waitForThread(first);
        EXPECT_EQ(errors.procedureName(), "TarvenStudents");
        errors.restoreProcedureName();
    });
    fw::threads::waitForThread(first);
    fw::threads::waitForThread(second);
    EXPECT_EQ(firstSawAfterRestore, "");
    EXPECT_EQ(errors.procedureName(), "Main");
}

struct AnswerCase {
    const char* name;
    unsigned button;
    Level level;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const AnswerCase& row, std::ostream* os) { *os << row.name; }

class ErrorManagerQuestionTest : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(ErrorManagerQuestionTest, AQuestionIsAnsweredByTheButton)
{
    test_support::MessageCapture capture;
    capture.answer = GetParam().button;
    ErrorManager errors;
    EXPECT_EQ(errors.throwFileMessage(Msg::RebuildKey, "Goods", {}), GetParam().level);
    ASSERT_EQ(capture.messages.size(), 1u);
    EXPECT_EQ(capture.messages[0].buttons, fw::ui::Button::Yes | fw::ui::Button::No);
    EXPECT_EQ(capture.messages[0].text, "The keys of the Goods file are damaged.|Rebuild them now?");
}

INSTANTIATE_TEST_SUITE_P(Answers, ErrorManagerQuestionTest,
                         ::testing::Values(AnswerCase{"Yes", fw::ui::Button::Yes, Level::Benign},
                                           AnswerCase{"No", fw::ui::Button::No, Level::Cancel}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ErrorManagerTest, EveryMessageHasACaptionAndAText)
{
    for (const MessageEntry& e : messageTable()) {
        EXPECT_FALSE(e.caption.empty());
        EXPECT_FALSE(e.text.empty());
        EXPECT_EQ(&messageEntry(e.id), &e);
    }
}

} // namespace
