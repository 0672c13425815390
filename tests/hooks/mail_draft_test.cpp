// Kept apart from the other hook tests: GMime's headers and Qt's keywords
// do not mix in one translation unit.
#include "demo/hooks/hook_previewer.h"
#include "framework/automation/draft_opener.h"
#include "framework/automation/drafts_folder.h"
#include "hook_fixture.h"
#include "tests/support/desktop_mail_handler.h"
#include "tests/support/draft_reader.h"

using namespace hooktest;

namespace {

std::string customersBody()
{
    // clang-format off
    return htmlBody("FFFF80", "<FONT face=\"Arial Black\" size=5 color=#0000FF>",
                    {"This body is built line-by-line",
                     "<FONT color=#ff00f0 size=6>This line uses the FONT HTML tag</FONT>"});
    // clang-format on
}

} // namespace

namespace {

// The whole road with the framework's own mail program: a two-page report
// becomes one draft that a MIME parser reads back with the documents.
TEST_F(HookTest, AReportBecomesADraftWithItsDocuments)
{
    m_outlook.reset(); // the framework's own "Outlook.Application" again
    test_support::ScopedEnv drafts(std::string(fw::automation::draftsFolderVariable), (m_folder / "drafts").string());
    test_support::DesktopMailHandler noMailProgram; // the draft goes to xdg-open
    std::vector<std::string> opened;
    fw::automation::setDraftLauncherForTesting([&](const std::vector<std::string>& command) {
        opened.push_back(command.back());
        return true;
    });
    write(at("Licence.doc"), "licence text");
    engine::BMKG.Mode = 1;
    printReport(zorvane::reportMailSettings(zorvane::ReportId::Customers), {"Ada", "Bo", "Cy", "Di"});
    fw::automation::setDraftLauncherForTesting({});

    const auto files = test_support::filesIn(m_folder / "drafts");
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(opened, std::vector<std::string>{files.front().string()});
    const auto d = test_support::readDraft(test_support::readFile(files.front()));
    ASSERT_TRUE(d.parsed);
    EXPECT_EQ(d.headers.at("X-Unsent"), "1");
    EXPECT_EQ(d.to, "mara.quill@example.com, tobias.renn@example.org");
    EXPECT_EQ(d.subject, "ATTN: Liesel Varga, customer list");
    EXPECT_EQ(d.headers.count("Importance"), 0u);
    EXPECT_EQ(d.body, customersBody());
    ASSERT_EQ(d.attachments.size(), 2u);
    EXPECT_EQ(d.attachments[0].name, "Report.rtf");
    EXPECT_EQ(d.attachments[0].bytes, contents(at("KR/Report.RTF")));
    EXPECT_EQ(d.attachments[0].bytes.substr(0, 6), "{\\rtf1");
    EXPECT_EQ(d.attachments[0].contentType, "application/rtf");
    EXPECT_EQ(d.attachments[1].name, "Licence.doc");
    EXPECT_EQ(d.attachments[1].contentType, "application/msword");
    EXPECT_EQ(d.attachments[1].bytes, "licence text");
    EXPECT_TRUE(m_failures.empty()) << m_failures.front();
}

} // namespace
