#include "engine/mail/send_email.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "engine/global_data.h"
#include "engine/mail/send_email_window.h"
#include "framework/automation/automation_object.h"
#include "framework/automation/draft_opener.h"
#include "framework/automation/drafts_folder.h"
#include "framework/automation/failure_report.h"
#include "framework/automation/recording_object.h"
#include "framework/automation/registry.h"
#include "framework/fs/work_file.h"
#include "framework/ui/window.h"
#include "tests/support/desktop_mail_handler.h"
#include "tests/support/draft_reader.h"
#include "tests/support/temp_folder.h"

using namespace engine;
using fw::automation::RecordingRegistration;
using Lines = std::vector<std::string>;

namespace {

// The eleven arguments of one call, with plain values a test changes where
// it looks.
struct Call {
    std::string to = "x1@example.org";
    std::string cc;
    std::string bcc;
    std::string subject = "Report";
    std::string htmlBodyFile; // the fixture's body file when left empty
    std::string bodyFile;
    std::string rtfName = "Report";
    std::string rtfFolder;
    std::string importance = "Normal";
    std::uint8_t mode = 1;
    std::uint8_t formatNumber = 1;
};

class SendEmailTest : public test_support::TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        setProfile(ZorvaneProfile);
        initialiseGlobalData(fw::core::ModuleStep::Start);
        initialiseGlobalData(fw::core::ModuleStep::End);
        BMKG.WorkFolder = "C:\\Work\\KR\\";
        fw::automation::setFailureSinkForTesting([this](const std::string& line) { m_failures.push_back(line); });
        write(at("body.htm"), "<B>Hi</B>\r\n");
    }
    void TearDown() override
    {
        fw::automation::setFailureSinkForTesting({});
        initialiseGlobalData(fw::core::ModuleStep::End);
        setProfile(ZorvaneProfile);
        TempFolderTest::TearDown();
    }

    std::string bodyPath() const { return systemFolder() + "body.htm"; }

    std::uint8_t send(Call c)
    {
        if (c.htmlBodyFile.empty())
            c.htmlBodyFile = bodyPath();
        return SendEmail(c.to, c.cc, c.bcc, c.subject, c.htmlBodyFile, c.bodyFile, c.rtfName, c.rtfFolder, c.importance,
                         c.mode, c.formatNumber);
    }

    // What the mail program was told, for one call.
    Lines record(const Call& c, std::uint8_t expectedResult = SendEmailResult::Displayed)
    {
        RecordingRegistration outlook("Outlook.Application");
        EXPECT_EQ(send(c), expectedResult);
        EXPECT_TRUE(fw::ui::openWindows().empty());
        return outlook.lines();
    }

    // The lines of a record that hold `part`, in order.
    static Lines linesWith(const Lines& lines, const std::vector<std::string>& parts)
    {
        Lines found;
        for (const std::string& line : lines)
            for (const std::string& part : parts)
                if (line.find(part) != std::string::npos) {
                    found.push_back(line);
                    break;
                }
        return found;
    }

    static void addAttachment(const std::string& path)
    {
        OAQRecord record;
        record.FILENAME = path;
        OAQ.append(record);
    }

    Lines m_failures;
};

TEST_F(SendEmailTest, EveryMemberTextInItsOrder)
{
    addAttachment("D:\\Dir\\Sub\\Note.doc");
    Call c;
    c.to = "a@example.org, b@example.org";
    c.cc = "c@example.org";
    c.bcc = "d@example.org";
    c.subject = "Monthly report   ";
    c.importance = "High";
    EXPECT_EQ(record(c), (Lines{
                             "create Outlook.Application",
                             "get CreateItem(0) -> {1}",
                             "call {1}.Attachments.Add(\"C:\\Work\\KR\\Report.RTF\",1,1,\"Report.rtf\")",
                             "call {1}.Attachments.Add(\"D:\\Dir\\Sub\\Note.doc\",1,1,\"Note.doc\")",
                             "call {1}.Recipients.Add(\"a@example.org\")",
                             "call {1}.Recipients.Add(\" b@example.org\")",
                             "get {1}.Recipients.Add(\"c@example.org\") -> {2}",
                             "set {2}.type = 2",
                             "get {1}.Recipients.Add(\"d@example.org\") -> {3}",
                             "set {3}.type = 3",
                             "set {1}.Subject = \"Monthly report\"",
                             "set {1}.HTMLBody = \"<B>Hi</B>\"",
                             "set {1}.Importance = 2",
                             "call {1}.Display",
                             "deactivate 1",
                         }));
    EXPECT_TRUE(m_failures.empty());
}

// A body path longer than the work file's name is not cut: the cut name is
// another file, whose body must not be mailed.
TEST_F(SendEmailTest, ABodyPathLongerThanItsFieldIsNotCutIntoAnotherFile)
{
    const std::string path = (m_folder.string() + "/" + std::string(300, 'b')).substr(0, 300);
    write(path.substr(0, 256), "<B>another mail's body</B>\r\n");
    Call c;
    c.htmlBodyFile = path;
    EXPECT_EQ(record(c, SendEmailResult::BodyNotOpened), Lines{});
    EXPECT_TRUE(m_failures.empty());
}

// ---------------------------------------------------------------------------
// The body.

struct BodyCase {
    const char* name;
    std::string bytes;
    std::string body;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const BodyCase& row, std::ostream* os) { *os << row.name; }

class SendEmailBody : public SendEmailTest, public testing::WithParamInterface<BodyCase> {};

TEST_P(SendEmailBody, LinesAreClippedAndJoinedWithNothingBetween)
{
    write(at("body.htm"), GetParam().bytes);
    EXPECT_EQ(linesWith(record(Call{}), {".HTMLBody"}), Lines{"set {1}.HTMLBody = \"" + GetParam().body + "\""});
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, SendEmailBody,
    testing::Values(BodyCase{"TrailingBlanksGoLeadingBlanksStay", "X  \r\n  Y\r\nZ\r\n", "X  YZ"},
                    BodyCase{"EmptyFile", "", ""},
                    BodyCase{"AllBlankLinesAddNothing", "A\r\n    \r\n\r\nB", "AB"},
                    BodyCase{"LineEndsWithoutCarriageReturns", "<P>\n  one\n two  \n", "<P>  one two"},
                    BodyCase{"LastLineWithoutLineEnd", "first\r\nlast", "firstlast"},
                    BodyCase{"LineLongerThanTheRecordIsKept", std::string(300, 'a') + "\r\nb\r\n",
                             std::string(300, 'a') + "b"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(SendEmailTest, ANamedBodyFileIsReadInsteadOfTheHtmlBodyFile)
{
    write(at("body_of_email.htm"), "<I>ready-made</I>\r\n");
    Call named;
    named.bodyFile = systemFolder() + "body_of_email.htm  ";
    EXPECT_EQ(linesWith(record(named), {".HTMLBody"}), Lines{"set {1}.HTMLBody = \"<I>ready-made</I>\""});

    Call blank;
    blank.bodyFile = "    ";
    blank.htmlBodyFile = bodyPath() + "   ";
    EXPECT_EQ(linesWith(record(blank), {".HTMLBody"}), Lines{"set {1}.HTMLBody = \"<B>Hi</B>\""});
}

// A body file that cannot be opened for reading and writing: nothing is
// shown and the mail program is never reached.
TEST_F(SendEmailTest, ABodyFileThatCannotBeOpenedGivesOneAndNothingElse)
{
    write(at("readonly.htm"), "<B>Hi</B>\r\n");
    ::chmod(at("readonly.htm").c_str(), 0444);
    write(at("held.htm"), "<B>Hi</B>\r\n");
    fw::fs::TextLineFile holder;
    holder.name = systemFolder() + "held.htm";
    ASSERT_EQ(holder.open(fw::fs::OpenMode::ReadWriteDenyWrite), 0);

    for (const char* name : {"missing.htm", "readonly.htm", "held.htm"}) {
        SCOPED_TRACE(name);
        Call c;
        c.htmlBodyFile = systemFolder() + name;
        EXPECT_EQ(record(c, SendEmailResult::BodyNotOpened), Lines{});
    }
    EXPECT_EQ(holder.close(), 0);
    EXPECT_TRUE(m_failures.empty());
}

// ---------------------------------------------------------------------------
// Recipients.

struct RecipientCase {
    const char* name;
    std::string to, cc, bcc;
    Lines lines;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const RecipientCase& row, std::ostream* os) { *os << row.name; }

class SendEmailRecipients : public SendEmailTest, public testing::WithParamInterface<RecipientCase> {};

TEST_P(SendEmailRecipients, ListsAreSplitIntoTheirExactPieces)
{
    Call c;
    c.to = GetParam().to;
    c.cc = GetParam().cc;
    c.bcc = GetParam().bcc;
    EXPECT_EQ(linesWith(record(c), {".Recipients.", ".type"}), GetParam().lines);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, SendEmailRecipients,
    testing::Values(
        RecipientCase{"BlankAfterACommaStays", "x1, x2", "", "",
                      {"call {1}.Recipients.Add(\"x1\")", "call {1}.Recipients.Add(\" x2\")"}},
        RecipientCase{"EmptyPiecesAreAddedAsEmptyTexts", "x1,,x2,", "", "",
                      {"call {1}.Recipients.Add(\"x1\")", "call {1}.Recipients.Add(\"\")",
                       "call {1}.Recipients.Add(\"x2\")", "call {1}.Recipients.Add(\"\")"}},
        RecipientCase{"OneAddressInAFieldKeepsItsPadding", fw::core::fitted("x1", 200), "", "",
                      {"call {1}.Recipients.Add(\"" + fw::core::fitted("x1", 200) + "\")"}},
        RecipientCase{"LastPieceEndsAtTheLastNonBlank", fw::core::fitted("a, b ", 40), "", "",
                      {"call {1}.Recipients.Add(\"a\")", "call {1}.Recipients.Add(\" b\")"}},
        RecipientCase{"LeadingCommaGivesAnEmptyFirstPiece", ",a", "", "",
                      {"call {1}.Recipients.Add(\"\")", "call {1}.Recipients.Add(\"a\")"}},
        RecipientCase{"BlankListsAddNothing", "", "   ", fw::core::fitted("", 200), {}},
        RecipientCase{"CopiesAreTypeTwoBlindCopiesThree", "", "Jane Doe <j@example.org>, k@example.org",
                      "m@example.org",
                      {"get {1}.Recipients.Add(\"Jane Doe <j@example.org>\") -> {2}", "set {2}.type = 2",
                       "get {1}.Recipients.Add(\" k@example.org\") -> {3}", "set {3}.type = 2",
                       "get {1}.Recipients.Add(\"m@example.org\") -> {4}", "set {4}.type = 3"}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// ---------------------------------------------------------------------------
// Attachments.

struct RtfCase {
    const char* name;
    std::uint8_t mode;
    std::uint8_t formatNumber;
    std::string rtfName;
    std::string rtfFolder;
    Lines lines;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const RtfCase& row, std::ostream* os) { *os << row.name; }

class SendEmailRtf : public SendEmailTest, public testing::WithParamInterface<RtfCase> {};

TEST_P(SendEmailRtf, TheRtfDocumentIsAttachedByModeFormatAndName)
{
    Call c;
    c.mode = GetParam().mode;
    c.formatNumber = GetParam().formatNumber;
    c.rtfName = GetParam().rtfName;
    c.rtfFolder = GetParam().rtfFolder;
    const Lines lines = record(c);
    EXPECT_EQ(linesWith(lines, {".Attachments."}), GetParam().lines);
    // The rest of the item is built all the same.
    EXPECT_EQ(linesWith(lines, {".Display", "deactivate"}), (Lines{"call {1}.Display", "deactivate 1"}));
}

const std::string WorkRtf = "call {1}.Attachments.Add(\"C:\\Work\\KR\\Report.RTF\",1,1,\"Report.rtf\")";

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, SendEmailRtf,
    testing::Values(
        RtfCase{"EmailPreviewBlankFolderIsTheWorkFolder", 1, 1, "Report", "", {WorkRtf}},
        RtfCase{"SilentEmail", 2, 1, "Report", "", {WorkRtf}},
        RtfCase{"EmbedVariantFormatSeven", 2, 7, "Report  ", "   ", {WorkRtf}},
        RtfCase{"FolderWithoutBackslash", 1, 1, "Report", "D:\\Docs",
                {"call {1}.Attachments.Add(\"D:\\Docs\\Report.RTF\",1,1,\"Report.rtf\")"}},
        RtfCase{"FolderWithBackslash", 1, 1, "Report", "D:\\Docs\\   ",
                {"call {1}.Attachments.Add(\"D:\\Docs\\Report.RTF\",1,1,\"Report.rtf\")"}},
        RtfCase{"FormatEightCarriesNone", 1, 8, "Report", "", {}},
        RtfCase{"BlankNameCarriesNone", 1, 1, "   ", "", {}},
        RtfCase{"ModeFiveCarriesNone", 5, 1, "Report", "", {}},
        RtfCase{"ModeZeroCarriesNone", 0, 1, "Report", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(SendEmailTest, ExtraAttachmentsAreShownUnderTheirNames)
{
    addAttachment("D:\\Dir\\Sub\\Note.doc");
    addAttachment("Plain.exe");
    addAttachment("D:\\Dir\\");
    addAttachment("\\Root.txt   ");
    addAttachment("X");
    Call c;
    c.formatNumber = 8;
    EXPECT_EQ(linesWith(record(c), {".Attachments."}),
              (Lines{
                  "call {1}.Attachments.Add(\"D:\\Dir\\Sub\\Note.doc\",1,1,\"Note.doc\")",
                  "call {1}.Attachments.Add(\"Plain.exe\",1,1,\"Plain.exe\")",
                  // The last character is never taken as the backslash.
                  "call {1}.Attachments.Add(\"D:\\Dir\\\",1,1,\"Dir\\\")",
                  "call {1}.Attachments.Add(\"\\Root.txt\",1,1,\"Root.txt\")",
                  "call {1}.Attachments.Add(\"X\",1,1,\"X\")",
              }));
}

// ---------------------------------------------------------------------------
// Importance.

TEST_F(SendEmailTest, ImportanceIsHighOrLowOnlyForTheExactWords)
{
    // clang-format off
    const struct {
        std::string importance;
        std::string line;
    } cases[] = {
        {"High", "set {1}.Importance = 2"},  {"Low", "set {1}.Importance = 0"},
        {"Normal", "set {1}.Importance = 1"}, {"", "set {1}.Importance = 1"},
        {"   ", "set {1}.Importance = 1"},    {"HIGH", "set {1}.Importance = 1"},
        {" High", "set {1}.Importance = 1"},  {"High ", "set {1}.Importance = 2"},
        {"low", "set {1}.Importance = 1"},    {"Low     ", "set {1}.Importance = 0"},
    };
    // clang-format on
    for (const auto& row : cases) {
        SCOPED_TRACE("'" + row.importance + "'");
        Call c;
        c.importance = row.importance;
        EXPECT_EQ(linesWith(record(c), {".Importance"}), Lines{row.line});
    }
}

// ---------------------------------------------------------------------------
// Failures on the way.

TEST_F(SendEmailTest, WithoutAMailItemTheTextsBeginWithTheDotAndTheMailGoesOn)
{
    RecordingRegistration outlook("Outlook.Application");
    outlook.recording().failOn("get CreateItem(0)");
    Call c;
    c.cc = "c@example.org";
    EXPECT_EQ(send(c), SendEmailResult::Displayed);
    EXPECT_EQ(outlook.lines(), (Lines{
                                   "create Outlook.Application",
                                   "get CreateItem(0) -> failed",
                                   "call .Attachments.Add(\"C:\\Work\\KR\\Report.RTF\",1,1,\"Report.rtf\")",
                                   "call .Recipients.Add(\"x1@example.org\")",
                                   "get .Recipients.Add(\"c@example.org\") -> {1}",
                                   "set {1}.type = 2",
                                   "set .Subject = \"Report\"",
                                   "set .HTMLBody = \"<B>Hi</B>\"",
                                   "set .Importance = 1",
                                   "call .Display",
                                   "deactivate 1",
                               }));
    EXPECT_EQ(m_failures.size(), 1u);
}

TEST_F(SendEmailTest, AMissingMailProgramIsReportedAndTheCallStillEnds)
{
    fw::automation::ScopedRegistration none("Outlook.Application", [] { return fw::automation::ObjectPtr{}; });
    EXPECT_EQ(send(Call{}), SendEmailResult::Displayed);
    EXPECT_FALSE(m_failures.empty());
    EXPECT_TRUE(fw::ui::openWindows().empty());
}

// ---------------------------------------------------------------------------
// The window.

// Stands in for the mail program and looks at the windows open when it is
// created and when its item is displayed.
class WindowWatcher final : public fw::automation::AutomationObject {
public:
    explicit WindowWatcher(Lines& seen) : m_seen(seen) {}

    fw::core::Expected<fw::automation::Result> invoke(const fw::automation::MemberText& text,
                                                      fw::automation::Access access,
                                                      const fw::automation::Value&) override
    {
        if (!text.members.empty() && text.members.back().name == "Display")
            look("display");
        if (access == fw::automation::Access::Get)
            return fw::automation::Result{{}, shared_from_this()};
        return fw::automation::Result{};
    }

    void look(const std::string& when)
    {
        for (fw::ui::Window* window : fw::ui::openWindows()) {
            const fw::ui::WindowLayout& layout = window->layout();
            m_seen.push_back(when + ": " + layout.label + " " + layout.moduleKey + " \"" + window->title() + "\"");
        }
    }

private:
    Lines& m_seen;
};

TEST_F(SendEmailTest, TheSendEmailWindowIsOpenWhileTheItemIsFilled)
{
    for (const ProgramProfile& program : {ZorvaneProfile, VextrelProfile}) {
        SCOPED_TRACE(program.program);
        setProfile(program);
        Lines seen;
        fw::automation::ScopedRegistration watcher("Outlook.Application", [&seen] {
            auto object = std::make_shared<WindowWatcher>(seen);
            object->look("create");
            return object;
        });
        EXPECT_EQ(send(Call{}), SendEmailResult::Displayed);
        const std::string window = std::string("P7$WINDOW ") + program.sendEmailModuleKey + " \"Send email\"";
        EXPECT_EQ(seen, (Lines{"create: " + window, "display: " + window}));
        EXPECT_TRUE(fw::ui::openWindows().empty());
    }
}

TEST_F(SendEmailTest, TheWindowLayout)
{
    const fw::ui::WindowLayout layout = sendEmailWindowLayout("vextrel$vextrel");
    EXPECT_EQ(layout.label, "P7$WINDOW");
    EXPECT_EQ(layout.moduleKey, "vextrel$vextrel");
    EXPECT_EQ(layout.title, "Send email");
    EXPECT_EQ(layout.width, 78);
    EXPECT_EQ(layout.height, 93);
    EXPECT_EQ(layout.font.name, "MS Sans Serif");
    EXPECT_EQ(layout.font.points, 8);
    EXPECT_EQ(layout.font.weight, 400);
    ASSERT_EQ(layout.controls.size(), 1u);
    EXPECT_EQ(layout.controls[0].number, 1);
    EXPECT_EQ(layout.controls[0].kind, fw::ui::ControlKind::OleControl);
}

// ---------------------------------------------------------------------------
// The framework's own mail program: one draft per call, read back by a MIME
// parser as a mail program would.

class SendEmailDraftTest : public SendEmailTest {
protected:
    void SetUp() override
    {
        SendEmailTest::SetUp();
        m_drafts.emplace(std::string(fw::automation::draftsFolderVariable), (m_folder / "drafts").string());
        fw::automation::setDraftLauncherForTesting([this](const std::vector<std::string>& command) {
            m_opened.push_back(command.back());
            return true;
        });
    }
    void TearDown() override
    {
        fw::automation::setDraftLauncherForTesting({});
        m_drafts.reset();
        SendEmailTest::TearDown();
    }
    std::vector<std::filesystem::path> drafts() const { return test_support::filesIn(m_folder / "drafts"); }

    std::optional<test_support::ScopedEnv> m_drafts;
    test_support::DesktopMailHandler m_noMailProgram; // drafts go to xdg-open
    std::vector<std::string> m_opened;
};

TEST_F(SendEmailDraftTest, OneDraftPerCallWithItsHeadersBodyAndAttachments)
{
    std::string noteBytes(2000, '\0');
    for (std::size_t i = 0; i < noteBytes.size(); ++i)
        noteBytes[i] = static_cast<char>(i * 13 % 256);
    const std::string rtfBytes = "{\\rtf1\\ansi page}\r\n";
    std::filesystem::create_directory(at("KR"));
    write(at("KR/Report.RTF"), rtfBytes);
    write(at("Note.doc"), noteBytes);
    write(at("body.htm"), "<HTML><BODY>\r\n  Dear reader,\r\n</BODY></HTML>\r\n");
    BMKG.WorkFolder = systemFolder() + "KR\\";
    addAttachment(systemFolder() + "Note.doc");

    Call c;
    c.to = "Ada Quill <ada@example.org>, bo@example.org";
    c.cc = "cy@example.net";
    c.bcc = "di@example.com";
    c.subject = "Classes";
    c.importance = "High";
    EXPECT_EQ(send(c), SendEmailResult::Displayed);
    EXPECT_TRUE(m_failures.empty()) << m_failures.front();

    const auto files = drafts();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(m_opened, std::vector<std::string>{files.front().string()});
    const test_support::ReadDraft d = test_support::readDraft(test_support::readFile(files.front()));
    ASSERT_TRUE(d.parsed);
    EXPECT_EQ(d.headers.at("X-Unsent"), "1");
    EXPECT_EQ(d.headers.count("From"), 0u);
    EXPECT_EQ(d.headers.at("Importance"), "high");
    EXPECT_EQ(d.headers.at("X-Priority"), "1");
    EXPECT_EQ(d.to, "Ada Quill <ada@example.org>, bo@example.org");
    EXPECT_EQ(d.cc, "cy@example.net");
    EXPECT_EQ(d.bcc, "di@example.com");
    EXPECT_EQ(d.subject, "Classes");
    EXPECT_EQ(d.bodyType, "text/html");
    EXPECT_EQ(d.body, "<HTML><BODY>  Dear reader,</BODY></HTML>");
    ASSERT_EQ(d.attachments.size(), 2u);
    EXPECT_EQ(d.attachments[0].name, "Report.rtf");
    EXPECT_EQ(d.attachments[0].bytes, rtfBytes);
    EXPECT_EQ(d.attachments[1].name, "Note.doc");
    EXPECT_EQ(d.attachments[1].bytes, noteBytes);

    // A second call is a second draft; the first stays as it was.
    const std::string first = test_support::readFile(files.front());
    c.importance = "Low";
    c.mode = 5;
    EXPECT_EQ(send(c), SendEmailResult::Displayed);
    const auto after = drafts();
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(test_support::readFile(files.front()), first);
    const auto second =
        test_support::readDraft(test_support::readFile(after.back() == files.front() ? after.front() : after.back()));
    EXPECT_EQ(second.headers.at("Importance"), "low");
    EXPECT_EQ(second.headers.at("X-Priority"), "5");
    ASSERT_EQ(second.attachments.size(), 1u); // mode 5: no RTF document
    EXPECT_EQ(second.attachments[0].name, "Note.doc");
}

TEST_F(SendEmailDraftTest, NoDraftAndNoWindowWhenTheBodyCannotBeOpened)
{
    Call c;
    c.htmlBodyFile = systemFolder() + "missing.htm";
    EXPECT_EQ(send(c), SendEmailResult::BodyNotOpened);
    EXPECT_TRUE(drafts().empty());
    EXPECT_TRUE(m_opened.empty());
    EXPECT_TRUE(fw::ui::openWindows().empty());
}

} // namespace
