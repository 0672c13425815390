// zorvane's start and end, run in this test program as the framework runs
// the program: the data initialiser's start state, the frame between the
// services, and the order in which the services end.

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "demo/dictionary/dictionary.h"
#include "demo/dictionary/records.h"
#include "demo/frame/frame.h"
#include "demo/notice/notice.h"
#include "engine/zorvane/startup.h"
#include "frame_fixture.h"
#include "framework/app/error_manager.h"
#include "framework/app/ini_manager.h"
#include "framework/core/module_init.h"
#include "framework/core/thread_values.h"
#include "framework/ui/program.h"
#include "framework/ui/qt/window_view.h"

#include <QMainWindow>

namespace {

using namespace zorvane;
using engine::BMKG;
namespace drive = fw::ui::drive;

class ZorvaneStartup : public test_support::TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        addZorvanePictures();
        m_config.emplace("XDG_CONFIG_HOME", at("config").string());
        engine::BMKG = engine::MailGlobals{};
        // What the program hands the start-up (demo/program).
        setStartupProcedures({
            .frame = &Main,
            .initDataFiles = &InitDataFiles,
            .killDataFiles = &KillDataFiles,
            .clearRecordBuffers = &clearRecordBuffers,
        });
    }
    void TearDown() override
    {
        m_config.reset();
        setStartupProcedures({});
        setMainStepObserver({});
        TempFolderTest::TearDown();
    }

    std::optional<test_support::ScopedEnv> m_config;
};

TEST_F(ZorvaneStartup, DataInitialiserBlanksTheStartStateAndItsEndReleasesTheQueues)
{
    BMKG.RTFpath = "C:\\Out";
    BMKG.WorkFolder = "C:\\Work\\";
    engine::ORAF.name = "body.html";
    engine::OROF.name = "doc.rtf";
    engine::ORIF.name = "page.wmf";
    engine::ORAF.LINE = "<p>";
    CUS.NAME = "Someone";
    CUS.CUSID = 7;
    STU.LASTNAME = "Student";
    TEA.NUMBER = 3;
    CLA.SCHEDULEDTIME = "9:00";
    fw::core::threadValues() = {3, 4, 5};
    engine::OAQ.append({"C:\\a.doc"});
    engine::OBQ.append({"line"});

    initialiseProgramData(fw::core::ModuleStep::Start);
    EXPECT_TRUE(BMKG.RTFpath.isBlank());
    EXPECT_TRUE(BMKG.WorkFolder.isBlank());
    EXPECT_TRUE(engine::ORAF.name.isBlank());
    EXPECT_TRUE(engine::OROF.name.isBlank());
    EXPECT_TRUE(engine::ORIF.name.isBlank());
    EXPECT_TRUE(engine::ORAF.LINE.isBlank());
    EXPECT_TRUE(CUS.NAME.isBlank());
    EXPECT_EQ(CUS.CUSID, 0);
    EXPECT_TRUE(STU.LASTNAME.isBlank());
    EXPECT_EQ(TEA.NUMBER, 0);
    EXPECT_TRUE(CLA.SCHEDULEDTIME.isBlank());
    EXPECT_EQ(fw::core::threadValues().request, 0);
    EXPECT_EQ(fw::core::threadValues().response, 0);
    EXPECT_EQ(fw::core::threadValues().further, 0);
    EXPECT_EQ(engine::OAQ.count(), 1u) << "the start leaves the queues alone";
    EXPECT_EQ(BMKG.Mode, 0) << "the mode waits for the frame";
    EXPECT_EQ(BMKG.PageWidth, 8000);
    EXPECT_EQ(BMKG.PageHeight, 12440);

    initialiseProgramData(fw::core::ModuleStep::End);
    EXPECT_TRUE(engine::OAQ.isEmpty());
    EXPECT_TRUE(engine::OBQ.isEmpty());
}

// What the services look like when a step of the main procedure is done.
struct Snapshot {
    MainStep step;
    bool errors;
    bool ini;
    bool dictionary;
    std::size_t queued;

    bool operator==(const Snapshot&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Snapshot& s)
{
    return out << "{step " << static_cast<int>(s.step) << ", errors " << s.errors << ", ini " << s.ini
               << ", dictionary " << s.dictionary << ", queued " << s.queued << "}";
}

Snapshot snapshot(MainStep step)
{
    return {step, fw::app::globalErrors().isActive(), fw::app::globalIni().isActive(),
            zorvane::Access_CUSTOMER != nullptr, engine::OAQ.count()};
}

TEST_F(ZorvaneStartup, TheFrameRunsBetweenTheServicesWhichEndInOrderBeforeTheQueues)
{
    std::vector<Snapshot> seen;
    setMainStepObserver([&](MainStep step) { seen.push_back(snapshot(step)); });

    registerProgramInitialiser();
    registerFrameModule();
    registerNoticeModule();
    // A module of the same priority registered later ends earlier: it sees
    // the program just before the program's own closing step.
    std::optional<Snapshot> beforeProgramEnd;
    fw::core::registerModuleInitialiser(fw::core::ProgramModulePriority, [&](fw::core::ModuleStep step) {
        if (step == fw::core::ModuleStep::End)
            beforeProgramEnd = snapshot(MainStep::ErrorManagerEnded);
    });

    struct Seen {
        std::uint8_t mode = 0;
        bool rtfFolderBlank = false;
        bool frameShown = false;
        bool noticeShown = false;
        std::string procedure;
    } atFrame;
    char name[] = "zorvane";
    char* argv[] = {name, nullptr};
    const int code = fw::ui::runProgram(1, argv, [&] {
        // The person in front of the frame: looks, leaves something in the
        // queues for the end to release, and closes the frame.
        fw::threads::start([&] {
            fw::ui::Window* frame = drive::waitForWindow(FrameLabel, FrameModuleKey);
            if (frame == nullptr)
                return;
            atFrame.frameShown = drive::waitUntilShown(*frame);
            atFrame.noticeShown = drive::waitForWindow(NoticeLabel, NoticeModuleKey) != nullptr;
            atFrame.mode = BMKG.Mode;
            atFrame.rtfFolderBlank = BMKG.RTFpath.isBlank();
            atFrame.procedure = fw::app::globalErrors().procedureName(fw::threads::mainThread);
            engine::OAQ.append({"C:\\left.doc"});
            frame->view().widget()->close();
        });
        programMain();
    });

    EXPECT_EQ(code, 0);
    EXPECT_TRUE(atFrame.frameShown);
    EXPECT_TRUE(atFrame.noticeShown);
    EXPECT_EQ(atFrame.mode, 1);
    EXPECT_TRUE(atFrame.rtfFolderBlank);
    EXPECT_EQ(atFrame.procedure, "Main"); // the frame's own thread; the notice names itself on its own
    EXPECT_EQ(seen, (std::vector<Snapshot>{
                        {MainStep::ErrorManagerStarted, true, false, false, 0},
                        {MainStep::IniManagerStarted, true, true, false, 0},
                        {MainStep::DataFilesStarted, true, true, true, 0},
                        {MainStep::FrameClosed, true, true, true, 1},
                        {MainStep::IniManagerEnded, true, false, true, 1},
                        {MainStep::DataFilesEnded, true, false, false, 1},
                        {MainStep::ErrorManagerEnded, false, false, false, 1},
                    }));
    ASSERT_TRUE(beforeProgramEnd.has_value());
    EXPECT_EQ(beforeProgramEnd->queued, 1u) << "the queues outlive the services";
    EXPECT_TRUE(engine::OAQ.isEmpty()) << "and go with the program's closing step";
    EXPECT_TRUE(fw::ui::openWindows().empty());
    EXPECT_EQ(fw::app::globalErrors().procedureName(), "");
    EXPECT_FALSE(std::filesystem::exists(at("config/reportmail/zorvane.INI"))) << "the program keeps no setting";
}

} // namespace
