#include "demo/hooks/mail_hook.h"

#include <sys/stat.h>

#include <functional>

#include <QApplication>
#include <QDialog>
#include <QWidget>

#include "demo/hooks/mail_steps.h"
#include "engine/mail/mail_run.h"
#include "framework/automation/registry.h"
#include "framework/threads/scheduler.h"
#include "framework/ui/cursor.h"
#include "framework/ui/drive/window_driver.h"
#include "hook_fixture.h"

using namespace hooktest;
using zorvane::ReportId;
using zorvane::reportMailSettings;

namespace {

const zorvane::MailSettings& customers() { return reportMailSettings(ReportId::Customers); }

const std::vector<std::string> fourNames{"Ada", "Bo", "Cy", "Di"}; // two pages

std::string customersBody()
{
    // clang-format off
    return htmlBody("FFFF80", "<FONT face=\"Arial Black\" size=5 color=#0000FF>",
                    {"This body is built line-by-line",
                     "<FONT color=#ff00f0 size=6>This line uses the FONT HTML tag</FONT>"});
    // clang-format on
}

// ---------------------------------------------------------------------------
// Mode Print.

// The previewer's own display: the preview window, which a second thread
// closes once it shows.
TEST_F(HookTest, ModePrintShowsThePreviewAndChangesNothing)
{
    engine::BMKG.Mode = 0;
    const fw::threads::ThreadNumber closer = fw::threads::start([] {
        QDialog* preview = nullptr;
        // A watchdog that goes off leaves `preview` null, which the assertion below catches.
        (void)fw::ui::drive::waitFor([&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible() && std::string(w->metaObject()->className()) == "fw::preview::PreviewWindow")
                    preview = qobject_cast<QDialog*>(w);
            return preview != nullptr;
        });
        ASSERT_NE(preview, nullptr);
        preview->reject();
    });
    const PrintedRun run = printReport(customers(), fourNames);
    fw::threads::waitForThread(closer);
    EXPECT_EQ(run.displayResult, 0);
    EXPECT_EQ(run.pageBytes.size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(at("KR")));
    EXPECT_TRUE(mailLines().empty());
    EXPECT_TRUE(engine::BMKG.WorkFolder.isBlank());
    EXPECT_EQ(engine::BMKG.PageWidth, 8000);
    EXPECT_EQ(engine::BMKG.PageHeight, 12440);
    EXPECT_EQ(engine::BMKG.JobNumber, 0);
    EXPECT_TRUE(m_drawn.empty());
    EXPECT_TRUE(oaq().empty());
    EXPECT_TRUE(obq().empty());
}

// Whatever the base display answers is the hook's answer, with the
// argument it was given.
TEST_F(HookTest, ModePrintPassesTheBaseDisplaysAnswerOn)
{
    engine::BMKG.Mode = 0;
    for (const std::uint8_t answer : {std::uint8_t{0}, std::uint8_t{1}}) {
        zorvane::HookPreviewer previewer(customers());
        std::vector<std::size_t> seen;
        previewer.setDisplayOperation([&](const fw::report::PageQueue& pages) -> std::uint8_t {
            seen.push_back(pages.count());
            EXPECT_EQ(&pages, &previewer.pageQueue());
            return answer;
        });
        EXPECT_EQ(printReport(customers(), fourNames, &previewer).displayResult, answer);
        EXPECT_EQ(seen, std::vector<std::size_t>{2});
    }
    EXPECT_FALSE(std::filesystem::exists(at("KR")));
    EXPECT_TRUE(mailLines().empty());
    EXPECT_EQ(engine::BMKG.PageWidth, 8000);
}

// ---------------------------------------------------------------------------
// Modes 1 to 5 over a two-page report in job 57.

struct ModeCase {
    const char* name;
    std::uint8_t mode;
    bool mails;
    bool attachesRtf;
    bool opens;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const ModeCase& row, std::ostream* os) { *os << row.name; }

class HookModes : public HookTest, public testing::WithParamInterface<ModeCase> {};

TEST_P(HookModes, EachModeLeavesItsFilesAndMailsOrOpens)
{
    const ModeCase& c = GetParam();
    engine::BMKG.Mode = c.mode;
    const PrintedRun run = printReport(customers(), fourNames);
    EXPECT_EQ(run.displayResult, 0);

    const std::string work = cwd() + "\\KR\\";
    EXPECT_EQ(engine::BMKG.WorkFolder.clipped(), work);
    EXPECT_EQ(engine::BMKG.PageWidth, 8270);
    EXPECT_EQ(engine::BMKG.PageHeight, 11530);
    EXPECT_EQ(engine::BMKG.LeftMargin, 197);
    EXPECT_EQ(engine::BMKG.TopMargin, 197);
    EXPECT_EQ(engine::BMKG.JobNumber, 57);
    EXPECT_EQ(m_drawn, (std::vector<std::pair<std::int32_t, std::int32_t>>{{11, 99}}));

    // The page copies are the report's pages; the job's RTF document is gone.
    const bool rtf = c.mode >= 1 && c.mode <= 4;
    Lines expectedFiles = {"571.wmf", "572.wmf"};
    if (rtf)
        expectedFiles.push_back("Report.RTF");
    expectedFiles.push_back("kr57.html");
    EXPECT_EQ(filesIn(at("KR")), expectedFiles);
    ASSERT_EQ(run.pageBytes.size(), 2u);
    EXPECT_EQ(contents(at("KR/571.wmf")), run.pageBytes[0]);
    EXPECT_EQ(contents(at("KR/572.wmf")), run.pageBytes[1]);

    if (!c.mails) {
        EXPECT_TRUE(mailLines().empty());
    } else {
        Lines expected = {"create Outlook.Application", "get CreateItem(0) -> {1}"};
        if (c.attachesRtf)
            expected.push_back("call {1}.Attachments.Add(\"" + work + "Report.RTF\",1,1,\"Report.rtf\")");
        const Lines rest = {
            "call {1}.Attachments.Add(\"" + cwd() + "\\Licence.doc\",1,1,\"Licence.doc\")",
            "call {1}.Recipients.Add(\"mara.quill@example.com\")",
            "call {1}.Recipients.Add(\" tobias.renn@example.org\")",
            "set {1}.Subject = \"ATTN: Liesel Varga, customer list\"",
            "set {1}.HTMLBody = \"" + customersBody() + "\"",
            "set {1}.Importance = 1",
            "call {1}.Display",
            "deactivate 1",
        };
        expected.insert(expected.end(), rest.begin(), rest.end());
        EXPECT_EQ(mailLines(), expected);
    }
    EXPECT_EQ(m_shellOpens, c.opens ? 1 : 0);
    if (c.opens) {
        EXPECT_EQ(nextShellOpen(), at("KR/Report.RTF").string());
    }
    EXPECT_TRUE(m_failures.empty()) << m_failures.front();
}

INSTANTIATE_TEST_SUITE_P(Modes, HookModes,
                         testing::Values(ModeCase{"EmailPreview", 1, true, true, false},
                                         ModeCase{"SilentEmail", 2, true, true, false},
                                         ModeCase{"Save", 3, false, false, true},
                                         ModeCase{"SilentSave", 4, false, false, false},
                                         ModeCase{"AboveSilentSave", 5, true, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// The work folder.

TEST_F(HookTest, TheWorkFolderIsSettledOnceAndThenKept)
{
    engine::BMKG.Mode = 4;
    const struct {
        const char* name;
        std::string before;
        std::string after;
        std::string folder; // where the files go, relative to the current directory
    } cases[] = {
        {"blank", "", cwd() + "\\KR\\", "KR"},
        {"without its final backslash", cwd() + "\\out", cwd() + "\\out\\", "out"},
        {"with its final backslash", cwd() + "\\deep\\er\\", cwd() + "\\deep\\er\\", "deep/er"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        engine::BMKG.WorkFolder = row.before;
        printReport(customers(), fourNames);
        EXPECT_EQ(engine::BMKG.WorkFolder.clipped(), row.after);
        EXPECT_EQ(filesIn(at(row.folder)), (Lines{"571.wmf", "572.wmf", "Report.RTF", "kr57.html"}));
        // The next run uses it unchanged.
        printReport(customers(), fourNames);
        EXPECT_EQ(engine::BMKG.WorkFolder.clipped(), row.after);
    }
}

// ---------------------------------------------------------------------------
// Attachments.

TEST_F(HookTest, TheClassesWildcardAttachesEveryDocFileOfTheCurrentDirectory)
{
    engine::BMKG.Mode = 2;
    const zorvane::MailSettings& classes = reportMailSettings(ReportId::Classes);
    printReport(classes, fourNames);
    EXPECT_TRUE(oaq().empty());
    // Without a match: the RTF document, two To pieces, a copy, two blind
    // copies, subject, body, importance, display: no further attachment.
    EXPECT_EQ(mailLines().size(), 16u);
    for (const std::string& line : mailLines())
        EXPECT_EQ(line.find(".doc\""), std::string::npos) << line;

    write(at("b.doc"), "b");
    write(at("A.DOC"), "a");
    write(at("c.doc"), "c");
    write(at("notes.txt"), "n");
    write(at(".hidden.doc"), "h"); // hidden: the attribute mask 0 leaves it out
    std::filesystem::create_directory(at("folder.doc"));
    m_outlook->recording().clear();
    printReport(classes, fourNames);
    const std::string folder = cwdBackslashed() + "\\";
    EXPECT_EQ(oaq(), (Lines{folder + "A.DOC", folder + "b.doc", folder + "c.doc"}));
    Lines attachments;
    for (const std::string& line : mailLines())
        if (line.find(".Attachments.") != std::string::npos)
            attachments.push_back(line);
    // The second mail item is the recording's fifth object.
    // clang-format off
    EXPECT_EQ(attachments,
              (Lines{"call {5}.Attachments.Add(\"" + cwd() + "\\KR\\Report.RTF\",1,1,\"Report.rtf\")",
                     "call {5}.Attachments.Add(\"" + folder + "A.DOC\",1,1,\"A.DOC\")",
                     "call {5}.Attachments.Add(\"" + folder + "b.doc\",1,1,\"b.doc\")",
                     "call {5}.Attachments.Add(\"" + folder + "c.doc\",1,1,\"c.doc\")"}));
    // clang-format on
}

TEST_F(HookTest, TheClassesMailCarriesItsCopiesAndTheSubjectLine)
{
    engine::BMKG.Mode = 1;
    zorvane::subject = "ATTN: Tom Riva";
    zorvane::recipients = "tom.riva@example.com";
    printReport(reportMailSettings(ReportId::Classes), fourNames);
    EXPECT_EQ(obq(), (Lines{"ATTN: Tom Riva:", "Attached is the list of all Classes", "Regards,",
                            "Jonas Feld, school office"}));
    Lines recipients;
    for (const std::string& line : mailLines())
        if (line.find("Recipients") != std::string::npos || line.find(".type") != std::string::npos ||
            line.find(".Subject") != std::string::npos || line.find(".Importance") != std::string::npos)
            recipients.push_back(line);
    // clang-format off
    EXPECT_EQ(recipients,
              (Lines{
                  // One address in the 200-character global: passed whole.
                  "call {1}.Recipients.Add(\"" + fw::core::fitted("tom.riva@example.com", 200) + "\")",
                  "get {1}.Recipients.Add(\"Oskar Brandt <oskar.brandt@example.net>\") -> {2}",
                  "set {2}.type = 2",
                  "get {1}.Recipients.Add(\"Helga Sommer <helga.sommer@example.org>\") -> {3}",
                  "set {3}.type = 3",
                  "get {1}.Recipients.Add(\" Ivo Petrak <ivo.petrak@example.com>\") -> {4}",
                  "set {4}.type = 3",
                  "set {1}.Subject = \"ATTN: Tom Riva\"",
                  "set {1}.Importance = 2",
              }));
    // clang-format on
}

// A folder more than a hundred levels deep: the bounded search for the
// last backslash stops at the hundredth, and the listing's names are put
// after that.
TEST_F(HookTest, AWildcardSpecificationIsSplitAtItsHundredthBackslash)
{
    std::string relative;
    for (int level = 0; level < 104; ++level)
        relative += "\\d";
    std::filesystem::path deep = m_folder;
    for (int level = 0; level < 104; ++level)
        deep /= "d";
    std::filesystem::create_directories(deep);
    write(deep / "x.doc", "x");

    zorvane::fillAttachmentQueue(relative + "\\*.doc");
    const std::string specification = cwdBackslashed() + relative + "\\*.doc";
    std::size_t split = 0;
    for (int hit = 0; hit < 100; ++hit)
        split = specification.find('\\', split) + 1;
    ASSERT_LT(split, specification.rfind('\\'));
    EXPECT_EQ(oaq(), Lines{specification.substr(0, split) + "x.doc"});
}

TEST_F(HookTest, AttachmentSpecifications)
{
    const std::string folder = cwdBackslashed();
    std::filesystem::create_directory(at("sub"));
    write(at("sub/one.doc"), "1");
    write(at("sub/.hidden.doc"), "h");
    const struct {
        const char* name;
        std::string attachment;
        Lines entries;
    } cases[] = {
        {"plain name as written", "\\Licence.doc", {cwd() + "\\Licence.doc"}},
        {"plain name with forward slashes as written", "/sub/one.doc", {cwd() + "/sub/one.doc"}},
        {"wildcard with forward slashes", "/sub/*.doc", {folder + "\\sub\\one.doc"}},
        {"question mark", "\\sub\\on?.doc", {folder + "\\sub\\one.doc"}},
        {"hidden file left out", "\\sub\\*hidden*", {}},
        {"wildcard in a missing folder", "\\none\\*.doc", {}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        zorvane::fillAttachmentQueue(row.attachment);
        EXPECT_EQ(oaq(), row.entries);
    }
}

// ---------------------------------------------------------------------------
// Long reports: the builder's page count is a byte.

TEST_F(HookTest, AReportOfMoreThan255PagesEmbedsItsFirst255)
{
    engine::BMKG.Mode = 4;
    std::vector<std::string> names(2 * 256 + 1, "n"); // 257 pages
    printReport(customers(), names);
    const Lines files = filesIn(at("KR"));
    EXPECT_EQ(files.size(), 257u + 2u);
    EXPECT_TRUE(std::filesystem::exists(at("KR/57257.wmf")));
    const std::string rtf = contents(at("KR/Report.RTF"));
    std::size_t pictures = 0;
    for (std::size_t at = rtf.find("{\\pict"); at != std::string::npos; at = rtf.find("{\\pict", at + 1))
        ++pictures;
    EXPECT_EQ(pictures, 255u);
}

TEST_F(HookTest, ThePlainPageListEntryPointRunsTheSameSteps)
{
    engine::BMKG.Mode = 2;
    write(at("page-a.wmf"), "first page bytes");
    write(at("page-b.wmf"), "second page bytes");
    EXPECT_EQ(zorvane::runMailHook(reportMailSettings(ReportId::Students),
                                   {systemFolder() + "page-a.wmf", systemFolder() + "PAGE-B.WMF"}),
              0);
    EXPECT_EQ(contents(at("KR/571.wmf")), "first page bytes");
    EXPECT_EQ(contents(at("KR/572.wmf")), "second page bytes");
    EXPECT_FALSE(std::filesystem::exists(at("KR/57.RTF")));
    // The Students mail reads its ready-made body file, which is missing here:
    // nothing reaches the mail program.
    EXPECT_TRUE(mailLines().empty());

    write(at("body_of_email.htm"), "<P>Ready-made</P>\r\n");
    zorvane::subject = "Term report";
    EXPECT_EQ(zorvane::runMailHook(reportMailSettings(ReportId::Students), {systemFolder() + "page-a.wmf"}), 0);
    EXPECT_EQ(mailLines(), (Lines{
                               "create Outlook.Application",
                               "get CreateItem(0) -> {1}",
                               "call {1}.Attachments.Add(\"" + cwd() + "\\KR\\Report.RTF\",1,1,\"Report.rtf\")",
                               "call {1}.Attachments.Add(\"" + cwd() + "\\Script.doc\",1,1,\"Script.doc\")",
                               "call {1}.Recipients.Add(\"mara.quill@example.com\")",
                               "call {1}.Recipients.Add(\" tobias.renn@example.org\")",
                               "set {1}.Subject = \"Term report\"",
                               "set {1}.HTMLBody = \"<P>Ready-made</P>\"",
                               "set {1}.Importance = 0",
                               "call {1}.Display",
                               "deactivate 1",
                           }));
}

// ---------------------------------------------------------------------------
// A build that fails never sends or opens an earlier run's documents.

struct FailedBuildRow {
    const char* name;
    std::uint8_t mode;
    // Prepares the folder, in which KR/ holds an earlier run's named copy and
    // body file; gives the RTF folder to use (blank for none).
    std::function<std::string(const std::filesystem::path& folder)> arrange;
    bool pageMissing;
    bool mails;       // a mail item is made at all
    Lines workFolder; // KR/ afterwards
    bool opens = false;
    // The start of the failure's line in the box that tells the person.
    const char* told = "";
};

inline void PrintTo(const FailedBuildRow& row, std::ostream* os) { *os << row.name; }

class HookFailedBuild : public HookTest, public testing::WithParamInterface<FailedBuildRow> {};

TEST_P(HookFailedBuild, NeverMailsOrOpensAnEarlierRunsDocument)
{
    const FailedBuildRow& row = GetParam();
    engine::BMKG.Mode = row.mode;
    std::filesystem::create_directory(at("KR"));
    write(at("KR/Report.RTF"), "an earlier run's document");
    write(at("KR/kr57.html"), "<P>an earlier run's body</P>\r\n");
    engine::BMKG.RTFpath = row.arrange(m_folder);
    write(at("page-a.wmf"), std::string(22, 'h') + "first page bytes");
    std::vector<std::string> pages{systemFolder() + "page-a.wmf"};
    if (row.pageMissing)
        pages.push_back(systemFolder() + "page-missing.wmf");

    testing::internal::CaptureStderr();
    EXPECT_EQ(zorvane::runMailHook(customers(), pages), 0);
    const std::string shown = testing::internal::GetCapturedStderr();

    const std::string box = "Report documents: Not every document of this run was made:\n" + std::string(row.told);
    EXPECT_EQ(shown.substr(0, box.size()), box) << shown;
    EXPECT_EQ(filesIn(at("KR")), row.workFolder);
    for (const std::string& line : mailLines())
        EXPECT_EQ(line.find("Report.RTF"), std::string::npos) << "an earlier document travels: " << line;
    if (row.mails) {
        ASSERT_GE(mailLines().size(), 3u);
        EXPECT_EQ(mailLines()[2], "call {1}.Attachments.Add(\"" + cwd() + "\\Licence.doc\",1,1,\"Licence.doc\")");
        EXPECT_EQ(mailLines()[mailLines().size() - 2], "call {1}.Display");
    } else {
        EXPECT_EQ(mailLines(), Lines{});
    }
    EXPECT_EQ(m_shellOpens, row.opens ? 1 : 0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Runs, HookFailedBuild,
    testing::Values(
        FailedBuildRow{"EmailPreviewWithAPageMissing", 1, [](const auto&) { return std::string(); }, true, true,
                       {"571.wmf", "kr57.html"}, false, "the RTF document \""},
        FailedBuildRow{"SilentEmailWithAPageMissing", 2, [](const auto&) { return std::string(); }, true, true,
                       {"571.wmf", "kr57.html"}, false, "the RTF document \""},
        FailedBuildRow{"SaveWithAPageMissingOpensNothing", 3, [](const auto&) { return std::string(); }, true,
                       false, {"571.wmf", "kr57.html"}, false, "the RTF document \""},
        FailedBuildRow{"SilentEmailWhenTheCopyInTheRTFFolderFails", 2,
                       [](const std::filesystem::path& folder) {
                           std::filesystem::create_directory(folder / "rtf");
                           ::mkfifo((folder / "rtf" / "Report.RTF").c_str(), 0666);
                           return test_support::backslashed((folder / "rtf").string());
                       },
                       false, true, {"571.wmf", "Report.RTF", "kr57.html"}, false, "the named copy \""},
        FailedBuildRow{"SilentEmailWhenTheBodyCannotBeWrittenMakesNoMail", 2,
                       [](const std::filesystem::path& folder) {
                           std::filesystem::remove(folder / "KR" / "kr57.html");
                           ::mkfifo((folder / "KR" / "kr57.html").c_str(), 0666);
                           return std::string();
                       },
                       false, false, {"571.wmf", "Report.RTF", "kr57.html"}, false, "the HTML body file \""}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// A work folder that does not fit its 256 characters once its backslash is
// added is refused: cut, it would name another folder. Nothing is written
// or mailed, and the message box says why.
TEST_F(HookTest, AWorkFolderThatDoesNotFitItsFieldIsRefusedAndNothingIsWritten)
{
    engine::BMKG.Mode = 2;
    const std::string base = test_support::backslashed(m_folder.string() + "/");
    const std::string folder = base + std::string(256 - base.size(), 'w');
    engine::BMKG.WorkFolder = folder;
    testing::internal::CaptureStderr();
    const PrintedRun run = printReport(customers(), fourNames);
    const std::string shown = testing::internal::GetCapturedStderr();
    EXPECT_EQ(run.displayResult, 0);
    EXPECT_EQ(shown,
              "Work folder: " + folder + "\\ is 257 characters long, more than the 256 that the work folder holds\n");
    EXPECT_TRUE(engine::BMKG.WorkFolder.isBlank());
    EXPECT_TRUE(mailLines().empty());
    EXPECT_EQ(filesIn(m_folder), (Lines{"bin", "shell"}));
}

// ---------------------------------------------------------------------------
// Two runs at once.

// Stands in for a mail program that keeps its thread waiting while it shows
// the first item, and otherwise passes everything to a recording.
struct Gate {
    bool open = false;
    int displays = 0;
};

class PausingMail final : public fw::automation::AutomationObject {
public:
    PausingMail(fw::automation::ObjectPtr inner, Gate& gate) : m_inner(std::move(inner)), m_gate(gate) {}

    fw::core::Expected<fw::automation::Result> invoke(const fw::automation::MemberText& text,
                                                      fw::automation::Access access,
                                                      const fw::automation::Value& value) override
    {
        if (!text.members.empty() && text.members.back().name == "Display" && m_gate.displays++ == 0)
            fw::threads::waitUntil([this] { return m_gate.open; });
        auto result = m_inner->invoke(text, access, value);
        if (result && result->object)
            result->object = std::make_shared<PausingMail>(result->object, m_gate);
        return result;
    }
    void deactivateInPlace(const fw::automation::Value& value) override { m_inner->deactivateInPlace(value); }

private:
    fw::automation::ObjectPtr m_inner;
    Gate& m_gate;
};

TEST_F(HookTest, TwoRunsStartedAtOnceGiveTwoCompleteSeparateJobs)
{
    engine::BMKG.Mode = 1;
    m_jobs = {31, 42};
    fw::automation::RecordingRegistration recording("Test.Recording");
    Gate gate;
    fw::automation::ScopedRegistration outlook("Outlook.Application", [&gate]() -> fw::automation::ObjectPtr {
        auto inner = fw::automation::createObject("Test.Recording");
        return inner ? std::make_shared<PausingMail>(*inner, gate) : nullptr;
    });

    PrintedRun first;
    PrintedRun second;
    const auto a = fw::threads::start([&] { first = printReport(customers(), fourNames); }, 50000);
    // clang-format off
    const auto b = fw::threads::start(
        [&] { second = printReport(reportMailSettings(ReportId::Teachers), {"Eve", "Fay", "Gus"}); }, 50000);
    // clang-format on

    // The first run waits inside its mail; the second has not begun.
    ASSERT_TRUE(fw::ui::drive::waitFor([&] { return gate.displays >= 1; }));
    EXPECT_EQ(gate.displays, 1);
    EXPECT_EQ(engine::MailRun::holder(), a);
    EXPECT_TRUE(fw::threads::isAlive(b));
    EXPECT_EQ(engine::BMKG.JobNumber, 31);
    EXPECT_EQ(m_drawn.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(at("KR/kr42.html")));
    EXPECT_TRUE(fw::ui::isWaitCursor());

    gate.open = true;
    ASSERT_TRUE(fw::ui::drive::waitFor([&] { return !fw::threads::isAlive(a) && !fw::threads::isAlive(b); }));
    EXPECT_EQ(engine::MailRun::holder(), 0);
    EXPECT_FALSE(fw::ui::isWaitCursor());

    EXPECT_EQ(filesIn(at("KR")),
              (Lines{"311.wmf", "312.wmf", "421.wmf", "422.wmf", "Report.RTF", "kr31.html", "kr42.html"}));
    ASSERT_EQ(first.pageBytes.size(), 2u);
    ASSERT_EQ(second.pageBytes.size(), 2u);
    EXPECT_EQ(contents(at("KR/311.wmf")), first.pageBytes[0]);
    EXPECT_EQ(contents(at("KR/312.wmf")), first.pageBytes[1]);
    EXPECT_EQ(contents(at("KR/421.wmf")), second.pageBytes[0]);
    EXPECT_EQ(contents(at("KR/422.wmf")), second.pageBytes[1]);

    // One whole mail after the other, each with its own attachment and body.
    const Lines& lines = recording.lines();
    ASSERT_EQ(lines.size(), 22u);
    const Lines firstMail(lines.begin(), lines.begin() + 11);
    const Lines secondMail(lines.begin() + 11, lines.end());
    EXPECT_EQ(firstMail.front(), "create Test.Recording");
    EXPECT_EQ(firstMail[3], "call {1}.Attachments.Add(\"" + cwd() + "\\Licence.doc\",1,1,\"Licence.doc\")");
    EXPECT_EQ(firstMail[7], "set {1}.HTMLBody = \"" + customersBody() + "\"");
    EXPECT_EQ(firstMail.back(), "deactivate 1");
    EXPECT_EQ(secondMail.front(), "create Test.Recording");
    EXPECT_EQ(secondMail[3], "call {2}.Attachments.Add(\"" + cwd() + "\\Note.doc\",1,1,\"Note.doc\")");
    EXPECT_EQ(secondMail[7], "set {2}.HTMLBody = \"" +
                                 htmlBody("C0C0C0", "<FONT face=\"Bookman Old Style\" size=5 color=#000080>",
                                          {"Just double-click Report attached", "<FONT size=6>Will you?</FONT>",
                                           "<FONT color=#ff0000 size=7>:-)</FONT>"}) +
                                 "\"");
    EXPECT_EQ(secondMail.back(), "deactivate 1");
}

// ---------------------------------------------------------------------------
// The settings table.

TEST_F(HookTest, TheFiveReportsSettings)
{
    // clang-format off
    const struct {
        ReportId report;
        const char* name;
        const char* attachment;
        std::int32_t background;
        const char* font;
        std::uint8_t size;
        std::int32_t color;
        const char* importance;
        const char* bodyFile;
        std::uint8_t format;
    } rows[] = {
        {ReportId::Customers, "TarvenCustomers", "\\Licence.doc", 0x80FFFF, "Arial Black", 5, 0xFF0000, "Normal", "", 1},
        {ReportId::Students, "TarvenStudents", "\\Script.doc", 0xFFFFFF, "Arial", 3, 0, "Low", "body_of_email.htm", 1},
        {ReportId::Teachers, "TarvenTeachers", "\\Note.doc", 0xC0C0C0, "Bookman Old Style", 5, 0x800000, "Low", "", 1},
        {ReportId::Classes, "TarvenClasses", "\\*.doc", 0x808040, "Verdana", 4, 0xFFFF00, "High", "", 1},
        {ReportId::CustomersEmbed, "TarvenCustomersEmbed", "\\Winhelp.exe", 0xFFFFFF, "Batang", 4, 0x00FF00, "High",
         "body_of_email.htm", 7},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const zorvane::MailSettings& s = reportMailSettings(row.report);
        EXPECT_EQ(s.name, row.name);
        EXPECT_EQ(s.attachmentName, row.attachment);
        EXPECT_EQ(s.background, row.background);
        EXPECT_EQ(s.fontName, row.font);
        EXPECT_EQ(s.fontSize, row.size);
        EXPECT_EQ(s.fontColor, row.color);
        EXPECT_EQ(s.importance, row.importance);
        EXPECT_EQ(s.bodyFile, row.bodyFile);
        EXPECT_EQ(s.formatNumber, row.format);
    }
    zorvane::pictureScale = 9;
    EXPECT_EQ(zorvane::pictureScaleValue(reportMailSettings(ReportId::Classes).pictureScale), 9);
    EXPECT_EQ(zorvane::pictureScaleValue(reportMailSettings(ReportId::Customers).pictureScale), 0);
    EXPECT_EQ(zorvane::passedText(reportMailSettings(ReportId::CustomersEmbed).to),
              "renate.holm@example.com, accounts@example.net");
    EXPECT_EQ(zorvane::passedText(reportMailSettings(ReportId::Teachers).to), zorvane::recipients.str());
}

} // namespace
