// The whole program as it starts, with every module the program registers:
// a person chooses a mode, runs a report, a mail without a report and the
// bulk mail, and closes the frame; a recording object stands in for the mail program.

#include <cstdlib>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QMainWindow>
#include <gtest/gtest.h>

#include "demo/program/program_modules.h"
#include "engine/zorvane/startup.h"
#include "frame_fixture.h"
#include "framework/automation/recording_object.h"
#include "framework/ui/program.h"
#include "framework/ui/qt/window_view.h"

namespace {

using namespace zorvane;
namespace drive = fw::ui::drive;
namespace C = zorvane::FrameControl;

class ZorvaneProgram : public test_support::TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        ASSERT_EQ(std::system((std::string(MAKE_DEMO_FOLDER) + " .").c_str()), 0);
        m_config.emplace("XDG_CONFIG_HOME", at("config").string());
        engine::BMKG = engine::MailGlobals{};
    }
    void TearDown() override
    {
        m_config.reset();
        setFrameProcedures({});
        setStartupProcedures({});
        TempFolderTest::TearDown();
    }

    std::optional<test_support::ScopedEnv> m_config;
};

std::size_t count(const std::vector<std::string>& lines, const std::string& part)
{
    std::size_t n = 0;
    for (const std::string& line : lines)
        n += line.find(part) != std::string::npos;
    return n;
}

TEST_F(ZorvaneProgram, ReportsAMailWithoutAReportAndTheBulkMailReachTheMailProgramThenTheProgramEndsWithZero)
{
    fw::automation::RecordingRegistration outlook("Outlook.Application");
    registerProgramModules(ZORVANE_RESOURCE_DIR);

    struct Seen {
        bool frame = false;
        bool reportMailed = false;
        bool mailMailed = false;
        bool bulkMailed = false;
        bool optionShowsSilentEmail = false;
    } seen;
    char name[] = "zorvane";
    char* argv[] = {name, nullptr};
    const int code = fw::ui::runProgram(1, argv, [&] {
        fw::threads::start([&] {
            fw::ui::Window* frame = drive::waitForWindow(FrameLabel, FrameModuleKey);
            if (frame == nullptr || !drive::waitUntilShown(*frame))
                return;
            seen.frame = true;
            drive::clickRadio(*frame, C::SilentEmailRadio);
            // Twice in quick succession: two report threads at once.
            drive::chooseMenuItem(*frame, C::Customers);
            drive::chooseMenuItem(*frame, C::Customers);
            seen.reportMailed = drive::waitFor([&] { return count(outlook.lines(), ".Display") == 2; });
            drive::chooseMenuItem(*frame, C::EmailTwo);
            seen.mailMailed = drive::waitFor([&] { return count(outlook.lines(), ".Display") == 3; });
            drive::clickRadio(*frame, C::EmailPreviewRadio);
            drive::chooseMenuItem(*frame, C::TeachersToFirstFive);
            seen.bulkMailed = drive::waitFor([&] { return count(outlook.lines(), ".Display") == 8; });
            auto* silentEmail = qobject_cast<QAbstractButton*>(frame->view().controlWidget(C::SilentEmailRadio));
            seen.optionShowsSilentEmail = silentEmail != nullptr && silentEmail->isChecked();
            frame->view().widget()->close();
        });
        programMain();
    });

    EXPECT_EQ(code, 0);
    EXPECT_TRUE(seen.frame);
    EXPECT_TRUE(seen.reportMailed) << "each of the two Customers runs mails its report";
    EXPECT_TRUE(seen.mailMailed);
    EXPECT_TRUE(seen.bulkMailed) << "one Teachers report to each of the first five customers";
    EXPECT_TRUE(seen.optionShowsSilentEmail) << "the bulk mail switches the option to Silent email";
    EXPECT_EQ(count(outlook.lines(), ".Subject = \"No reports attached\""), 1u);
    EXPECT_EQ(count(outlook.lines(), "Report.rtf"), 7u) << "the reports' RTF, and none with the mail";
    EXPECT_TRUE(fw::ui::openWindows().empty());
    EXPECT_EQ(fw::threads::aliveThreads().size(), 1u);
}

} // namespace
