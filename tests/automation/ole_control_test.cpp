#include "framework/automation/ole_control.h"

#include <gtest/gtest.h>

#include "framework/automation/failure_report.h"
#include "framework/automation/recording_object.h"
#include "framework/automation/registry.h"

using namespace fw::automation;

namespace {

// Collects what the framework reports instead of writing it to stderr.
class ReportedFailures {
public:
    ReportedFailures()
    {
        setFailureSinkForTesting([this](const std::string& line) { m_lines.push_back(line); });
    }
    ~ReportedFailures() { setFailureSinkForTesting({}); }
    const std::vector<std::string>& lines() const { return m_lines; }

private:
    std::vector<std::string> m_lines;
};

Value number(std::int64_t n) { return Value(n); }
Value text(std::string s) { return Value(std::move(s)); }

// The member texts of one mail, in the order the engine sends them.
TEST(OleControl, RecordingObjectSeesEveryTextValueAndCallInOrder)
{
    RecordingRegistration outlook("Outlook.Application");
    ReportedFailures failures;
    {
        OleControl ole;
        ASSERT_TRUE(ole.setCreate("Outlook.Application"));
        EXPECT_EQ(ole.create(), "Outlook.Application");
        const std::string item = ole.get("CreateItem(0)").value_or("");
        ASSERT_FALSE(item.empty());
        EXPECT_LE(item.size(), maxReferenceLength);
        ole.call(item + R"x(.Attachments.Add("C:\w\KR\Report.RTF",1,1,"Report.rtf"))x");
        ole.call(item + R"x(.Recipients.Add("x1"))x");
        ole.call(item + R"x(.Recipients.Add(" x2"))x");
        const std::string ref = ole.get(item + R"x(.Recipients.Add(""))x").value_or("");
        ASSERT_FALSE(ref.empty());
        EXPECT_NE(ref, item);
        ole.set(ref + ".type", number(2));
        ole.set(item + ".Subject", text("Report  of  May"));
        ole.set(item + ".HTMLBody", text("<HTML>X  YZ</HTML>"));
        ole.set(item + ".Importance", number(2));
        ole.call(item + ".Display");
        ole.setInPlaceDeactivate(number(1));
    }
    EXPECT_EQ(outlook.lines(), (std::vector<std::string>{
                                   "create Outlook.Application",
                                   "get CreateItem(0) -> {1}",
                                   R"x(call {1}.Attachments.Add("C:\w\KR\Report.RTF",1,1,"Report.rtf"))x",
                                   R"x(call {1}.Recipients.Add("x1"))x",
                                   R"x(call {1}.Recipients.Add(" x2"))x",
                                   R"x(get {1}.Recipients.Add("") -> {2})x",
                                   "set {2}.type = 2",
                                   R"x(set {1}.Subject = "Report  of  May")x",
                                   R"x(set {1}.HTMLBody = "<HTML>X  YZ</HTML>")x",
                                   "set {1}.Importance = 2",
                                   "call {1}.Display",
                                   "deactivate 1",
                               }));
    EXPECT_TRUE(failures.lines().empty());
}

// Without a mail item the engine's texts begin with the dot; they reach the
// control's own object as they are, and the engine goes on.
TEST(OleControl, FailedGetGivesNoReferenceAndLaterTextsStillArrive)
{
    RecordingRegistration outlook("Outlook.Application");
    outlook.recording().failOn("get CreateItem(0)");
    ReportedFailures failures;
    OleControl ole;
    ole.setCreate("Outlook.Application");
    const auto item = ole.get("CreateItem(0)");
    ASSERT_FALSE(item);
    const std::string none = item.value_or("");
    ole.call(none + R"x(.Recipients.Add("x1"))x");
    ole.set(none + ".Subject", text("S"));
    ole.call(none + ".Display");
    EXPECT_EQ(outlook.lines(), (std::vector<std::string>{
                                   "create Outlook.Application",
                                   "get CreateItem(0) -> failed",
                                   R"x(call .Recipients.Add("x1"))x",
                                   R"x(set .Subject = "S")x",
                                   "call .Display",
                               }));
    EXPECT_EQ(failures.lines(), (std::vector<std::string>{
                                    "automation: get \"CreateItem(0)\" failed: recording object: refuses get "
                                    "CreateItem(0) as the test asked",
                                }));
}

struct FailureRow {
    const char* name;
    std::string memberText;
    std::string report;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const FailureRow& row, std::ostream* os) { *os << row.name; }

class OleControlFailure : public testing::TestWithParam<FailureRow> {};

// Each failure is one line on the report with the member text, and nothing
// of a malformed text reaches the object (these texts name the control's
// own object, which records whatever arrives).
TEST_P(OleControlFailure, IsReportedWithItsTextAndNotExecuted)
{
    RecordingRegistration outlook("Outlook.Application");
    ReportedFailures failures;
    OleControl ole;
    ole.setCreate("Outlook.Application");
    outlook.recording().clear();

    EXPECT_FALSE(ole.call(GetParam().memberText));
    EXPECT_EQ(failures.lines(), std::vector<std::string>{GetParam().report});
    EXPECT_TRUE(outlook.lines().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OleControlFailure,
    testing::Values(
        FailureRow{"MalformedText", R"x(.Recipients.Add("x1")()x",
                   R"x(automation: call ".Recipients.Add("x1")(" failed: member text: "." or the end of the text is expected at position 22)x"},
        FailureRow{"InjectedCallOnward", R"x(.Recipients.Add("x").Display(""))x",
                   R"x(automation: call ".Recipients.Add("x").Display("")" failed: member text: only the last member may take arguments at position 21)x"},
        FailureRow{"LineBreakInTextIsShownEscaped", ".Recipients.Add(\"a\r\nb\"",
                   R"x(automation: call ".Recipients.Add("a\r\nb"" failed: member text: the quoted text is not closed at position 17)x"},
        FailureRow{"UnknownReference", "#0.Display",
                   "automation: call \"#0.Display\" failed: no object has the reference #0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OleControl, CreatingAnUnknownProgIdIsReportedAndLeavesTheControlEmpty)
{
    ReportedFailures failures;
    OleControl ole;
    EXPECT_FALSE(ole.setCreate("Nobody.Here"));
    EXPECT_FALSE(ole.hasObject());
    EXPECT_EQ(ole.create(), "");
    EXPECT_FALSE(ole.get("CreateItem(0)"));
    EXPECT_EQ(failures.lines(),
              (std::vector<std::string>{
                  "automation: cannot create the object \"Nobody.Here\": no object is registered under the "
                  "ProgID \"Nobody.Here\"",
                  "automation: get \"CreateItem(0)\" failed: the control holds no object",
              }));
}

TEST(OleControl, ReferencesAreReleasedWhenAnotherObjectIsCreated)
{
    RecordingRegistration outlook("Outlook.Application");
    ReportedFailures failures;
    OleControl ole;
    ole.setCreate("outlook.application"); // ProgIDs do not depend on case
    const std::string item = ole.get("CreateItem(0)").value_or("");
    ole.setCreate("Outlook.Application");
    EXPECT_FALSE(ole.call(item + ".Display"));
    EXPECT_EQ(failures.lines(), (std::vector<std::string>{"automation: call \"" + item +
                                                          ".Display\" failed: no object has the "
                                                          "reference " + item}));
    EXPECT_EQ(outlook.lines(), (std::vector<std::string>{"create Outlook.Application", "get CreateItem(0) -> {1}",
                                                         "create Outlook.Application"}));
}

TEST(OleControl, ScopedRegistrationRestoresTheMailApplication)
{
    {
        RecordingRegistration outlook("Outlook.Application");
        OleControl ole;
        ole.setCreate("Outlook.Application");
        EXPECT_EQ(outlook.lines(), std::vector<std::string>{"create Outlook.Application"});
    }
    ReportedFailures failures;
    OleControl ole;
    ASSERT_TRUE(ole.setCreate("Outlook.Application"));
    const auto item = ole.get("CreateItem(0)");
    ASSERT_TRUE(item);
    EXPECT_EQ(item->front(), '#');
    EXPECT_EQ(ole.get(*item + ".Importance").value_or(""), "1");
    EXPECT_TRUE(failures.lines().empty());
}

} // namespace
