// What a person at zorvane's screen learns when a mail goes wrong: one
// message box per mail, saying what happened and where the draft was
// written, with the framework's own mail program, the real SendEmail and a
// mail program that fails to open the draft.

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "demo/bulk_mail/bulk_mail.h"
#include "demo/mails/mails.h"
#include "demo/program/mail_failure_notice.h"
#include "demo_mails.h"
#include "framework/app/message_presenter.h"
#include "framework/automation/draft_opener.h"
#include "framework/automation/drafts_folder.h"
#include "framework/automation/failure_report.h"
#include "framework/fs/path.h"
#include "framework/threads/scheduler.h"
#include "framework/ui/drive/window_driver.h"
#include "tests/support/temp_folder.h"

namespace {

using namespace zorvane;

class ZorvaneMailFailures : public test_support::TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        ASSERT_EQ(std::system((std::string(MAKE_DEMO_FOLDER) + " .").c_str()), 0);
        m_drafts.emplace(std::string(fw::automation::draftsFolderVariable), at("drafts").string());
        // A mail program that ends at once with a failure: the draft is
        // written and nobody sees it.
        m_opener.emplace(std::string(fw::automation::draftOpenerVariable), "false");
        fw::automation::setFailureSinkForTesting([this](const std::string& line) { m_stderr.push_back(line); });
        registerMailFailureNotice();
        zorvanetest::startDemoMails();
    }
    void TearDown() override
    {
        fw::app::setMessagePresenterForTesting({});
        fw::automation::setFailureNotice({});
        fw::automation::setFailureSinkForTesting({});
        zorvanetest::endDemoMails();
        m_opener.reset();
        m_drafts.reset();
        TempFolderTest::TearDown();
    }

    void captureBoxes()
    {
        fw::app::setMessagePresenterForTesting([this](const fw::app::MessageRequest& request) {
            m_boxes.push_back(request);
            return request.defaultButton;
        });
    }

    // Runs `procedure` on a framework thread of its own, as the frame's
    // menu does, and waits (with a watchdog) until it has ended.
    static void run(const std::function<void()>& procedure)
    {
        bool finished = false;
        const auto thread = fw::threads::start([&] {
            procedure();
            finished = true;
        });
        ASSERT_TRUE(fw::ui::drive::waitFor([&] { return finished; }));
        fw::threads::waitForThread(thread);
    }

    std::vector<std::filesystem::path> drafts() const { return test_support::filesIn(at("drafts")); }

    std::optional<test_support::ScopedEnv> m_drafts;
    std::optional<test_support::ScopedEnv> m_opener;
    std::vector<std::string> m_stderr;
    std::vector<fw::app::MessageRequest> m_boxes;
};

// "Email 1" with its program file missing and a mail program that fails:
// two failures of one mail, one box that names both and the draft.
TEST_F(ZorvaneMailFailures, OneBoxForOneMailSaysWhatHappenedAndWhereTheDraftIs)
{
    captureBoxes();
    std::filesystem::remove(at("Scandskw.exe"));
    run(&EmailOne);

    ASSERT_EQ(drafts().size(), 1u);
    const std::string draft = drafts().front().string();
    const std::string program = fw::fs::currentDirectory() + "\\Scandskw.exe";
    const std::string native = fw::fs::currentDirectory() + "/Scandskw.exe";
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].caption, "Send email");
    EXPECT_EQ(m_boxes[0].icon, fw::ui::Icon::Exclamation);
    EXPECT_EQ(m_boxes[0].buttons, fw::ui::Button::Ok);
    // clang-format off
    EXPECT_EQ(m_boxes[0].text, "Something went wrong with this mail:"
                               "|The attachment file " + program + " (" + native +
                                   ") does not exist, so the mail goes without it."
                                   "|The draft " + draft + " was written but false ended with exit status 1 "
                                   "without showing it.");
    // Standard error keeps a line for each.
    ASSERT_EQ(m_stderr.size(), 2u);
    EXPECT_TRUE(m_stderr[0].ends_with("does not exist, so the mail goes without it")) << m_stderr[0];
    EXPECT_TRUE(m_stderr[1].ends_with("the draft " + draft + " was written but false ended with exit status 1 "
                                      "without showing it"))
        << m_stderr[1];
    // clang-format on
}

TEST_F(ZorvaneMailFailures, AMailThatWentWellShowsNoBox)
{
    captureBoxes();
    m_opener.emplace(std::string(fw::automation::draftOpenerVariable), "true");
    run(&EmailOne);
    EXPECT_EQ(drafts().size(), 1u);
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_TRUE(m_stderr.empty()) << m_stderr.front();
}

// The bulk mail to the first five customers: five mails, each its own box
// with its own draft.
TEST_F(ZorvaneMailFailures, TheBulkMailGivesOneBoxPerMail)
{
    captureBoxes();
    run([] { BulkEmail(1, 0); }); // the demonstration's customer file holds more than five
    const auto written = drafts();
    ASSERT_EQ(written.size(), BulkEmailCustomers);
    ASSERT_EQ(m_boxes.size(), BulkEmailCustomers);
    for (const fw::app::MessageRequest& box : m_boxes) {
        std::size_t named = 0;
        for (const std::filesystem::path& draft : written)
            named += box.text.find("|The draft " + draft.string() + " was written but") != std::string::npos;
        EXPECT_EQ(named, 1u) << box.text;
    }
}

// On the offscreen platform the real message box writes what it would show
// to standard error, once for the mail, after the failure lines.
TEST_F(ZorvaneMailFailures, OffscreenTheBoxGoesToStandardErrorOnce)
{
    run([] {
        testing::internal::CaptureStderr();
        EmailTwo();
    });
    const std::string written = testing::internal::GetCapturedStderr();
    ASSERT_EQ(drafts().size(), 1u);
    EXPECT_EQ(written, "Send email: Something went wrong with this mail:\nThe draft " + drafts().front().string() +
                           " was written but false ended with exit status 1 without showing it.\n");
    EXPECT_EQ(m_stderr.size(), 1u);
}

} // namespace
