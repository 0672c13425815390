#include "framework/automation/ole_control.h"

#include <gtest/gtest.h>

#include "framework/automation/failure_report.h"
#include "framework/automation/recording_object.h"
#include "framework/automation/registry.h"

using namespace fw::automation;

// These tests send member texts the way the engine does, which goes on
// whatever a text gives: where they stand in for it they drop the results
// too, and judge by what the object recorded and what was reported.

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

// Collects what the control hands to the program's failure notice.
class NoticedFailures {
public:
    NoticedFailures()
    {
        setFailureNotice([this](const std::vector<std::string>& failures) { m_notices.push_back(failures); });
    }
    ~NoticedFailures() { setFailureNotice({}); }
    // One entry per notice, each the sentences it listed.
    const std::vector<std::vector<std::string>>& notices() const { return m_notices; }

private:
    std::vector<std::vector<std::string>> m_notices;
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
        (void)ole.call(item + R"x(.Attachments.Add("C:\w\KR\Report.RTF",1,1,"Report.rtf"))x");
        (void)ole.call(item + R"x(.Recipients.Add("x1"))x");
        (void)ole.call(item + R"x(.Recipients.Add(" x2"))x");
        const std::string ref = ole.get(item + R"x(.Recipients.Add(""))x").value_or("");
        ASSERT_FALSE(ref.empty());
        EXPECT_NE(ref, item);
        (void)ole.set(ref + ".type", number(2));
        (void)ole.set(item + ".Subject", text("Report  of  May"));
        (void)ole.set(item + ".HTMLBody", text("<HTML>X  YZ</HTML>"));
        (void)ole.set(item + ".Importance", number(2));
        (void)ole.call(item + ".Display");
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
    (void)ole.setCreate("Outlook.Application");
    const auto item = ole.get("CreateItem(0)");
    ASSERT_FALSE(item);
    const std::string none = item.value_or("");
    (void)ole.call(none + R"x(.Recipients.Add("x1"))x");
    (void)ole.set(none + ".Subject", text("S"));
    (void)ole.call(none + ".Display");
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
    (void)ole.setCreate("Outlook.Application");
    outlook.recording().clear();

    EXPECT_FALSE(ole.call(GetParam().memberText));
    EXPECT_EQ(failures.lines(), std::vector<std::string>{GetParam().report});
    EXPECT_TRUE(outlook.lines().empty());
}

// clang-format off
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
// clang-format on

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
    (void)ole.setCreate("outlook.application"); // ProgIDs do not depend on case
    const std::string item = ole.get("CreateItem(0)").value_or("");
    (void)ole.setCreate("Outlook.Application");
    EXPECT_FALSE(ole.call(item + ".Display"));
    // clang-format off
    EXPECT_EQ(failures.lines(), (std::vector<std::string>{"automation: call \"" + item +
                                                          ".Display\" failed: no object has the "
                                                          "reference " + item}));
    // clang-format on
    EXPECT_EQ(outlook.lines(), (std::vector<std::string>{"create Outlook.Application", "get CreateItem(0) -> {1}",
                                                         "create Outlook.Application"}));
}

// One mail, one notice: the failures of the object are gathered and handed
// over when its work ends, at the in-place deactivation, and not again.
TEST(OleControlNotice, GathersTheFailuresOfAMailIntoOneNoticeAtItsEnd)
{
    RecordingRegistration outlook("Outlook.Application");
    outlook.recording().failOn(R"x(call {1}.Attachments.Add("C:\KR\Report.RTF",1,1,"Report.rtf"))x");
    outlook.recording().failOn(R"x(set {1}.Subject = "May")x");
    ReportedFailures failures;
    NoticedFailures noticed;
    {
        OleControl ole;
        (void)ole.setCreate("Outlook.Application");
        const std::string item = ole.get("CreateItem(0)").value_or("");
        (void)ole.call(item + R"x(.Attachments.Add("C:\KR\Report.RTF",1,1,"Report.rtf"))x");
        (void)ole.set(item + ".Subject", text("May"));
        (void)ole.set(item + ".Subject", text("May")); // the same failure twice is one sentence
        (void)ole.call(item + ".Display");
        EXPECT_TRUE(noticed.notices().empty()); // nothing is said before the mail ends
        ole.setInPlaceDeactivate(number(1));
        EXPECT_EQ(noticed.notices().size(), 1u);
    }
    EXPECT_EQ(failures.lines().size(), 3u); // standard error keeps every line
    ASSERT_EQ(noticed.notices().size(), 1u);
    EXPECT_EQ(noticed.notices()[0],
              (std::vector<std::string>{
                  R"x(Refuses call {1}.Attachments.Add("C:\KR\Report.RTF",1,1,"Report.rtf") as the test asked.)x",
                  R"x(Refuses set {1}.Subject = "May" as the test asked.)x",
              }));
}

// Without a mail item the engine's texts begin with the dot and fail one by
// one; the notice says once what went wrong, not each of its consequences.
TEST(OleControlNotice, AMissingMailItemIsOneSentence)
{
    ReportedFailures failures;
    NoticedFailures noticed;
    OleControl ole;
    (void)ole.setCreate("Outlook.Application");
    const std::string item = ole.get("CreateItem(1)").value_or("");
    (void)ole.call(item + R"x(.Recipients.Add("x@example.org"))x");
    (void)ole.set(item + ".Subject", text("S"));
    (void)ole.call(item + ".Display");
    ole.setInPlaceDeactivate(number(1));
    EXPECT_EQ(failures.lines().size(), 4u);
    EXPECT_EQ(noticed.notices(),
              (std::vector<std::vector<std::string>>{{"Item type 1 is not served; 0 (mail item) is."}}));
}

TEST(OleControlNotice, AnObjectThatCannotBeCreatedIsOneSentence)
{
    ReportedFailures failures;
    NoticedFailures noticed;
    {
        OleControl ole;
        (void)ole.setCreate("Nobody.Here");
        const std::string item = ole.get("CreateItem(0)").value_or("");
        (void)ole.call(item + ".Display");
        // A control destroyed without a deactivation still tells, once.
    }
    EXPECT_EQ(failures.lines().size(), 3u);
    EXPECT_EQ(noticed.notices(),
              (std::vector<std::vector<std::string>>{{"Cannot create the object \"Nobody.Here\": no object is "
                                                      "registered under the ProgID \"Nobody.Here\"."}}));
}

TEST(OleControlNotice, EachObjectOfTheControlHasItsOwnNoticeAndAGoodMailNone)
{
    RecordingRegistration outlook("Outlook.Application");
    outlook.recording().failOn("call {1}.Display");
    ReportedFailures failures;
    NoticedFailures noticed;
    OleControl ole;
    (void)ole.setCreate("Outlook.Application");
    (void)ole.call(ole.get("CreateItem(0)").value_or("") + ".Display");
    (void)ole.setCreate("Outlook.Application"); // the first mail ends here
    ASSERT_EQ(noticed.notices().size(), 1u);
    (void)ole.call(ole.get("CreateItem(0)").value_or("") + ".Subject");
    ole.setInPlaceDeactivate(number(1));
    EXPECT_EQ(noticed.notices().size(), 1u);
}

// A member that works but not wholly (a mail shown without part of it)
// gives its shortfalls, which are failures of the text like any other.
class ShortObject final : public AutomationObject {
protected:
    fw::core::Expected<Result> getMember(const Member&) override
    {
        return Result{Value{}, nullptr, {fw::core::Error{"mail drafts", "the body was cut"}}};
    }
};

TEST(OleControlNotice, ShortfallsOfAWorkingMemberAreReportedAndNoticed)
{
    ScopedRegistration shortObject("Short.Object", [] { return std::make_shared<ShortObject>(); });
    ReportedFailures failures;
    NoticedFailures noticed;
    OleControl ole;
    (void)ole.setCreate("Short.Object");
    EXPECT_TRUE(ole.call("Display"));
    ole.setInPlaceDeactivate(number(1));
    EXPECT_EQ(failures.lines(),
              (std::vector<std::string>{"automation: call \"Display\": mail drafts: the body was cut"}));
    EXPECT_EQ(noticed.notices(), (std::vector<std::vector<std::string>>{{"The body was cut."}}));
}

TEST(OleControl, ScopedRegistrationRestoresTheMailApplication)
{
    {
        RecordingRegistration outlook("Outlook.Application");
        OleControl ole;
        (void)ole.setCreate("Outlook.Application");
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
