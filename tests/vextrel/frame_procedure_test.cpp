// The frame procedure run in the test program: what it takes from the
// command line, what it leaves in the globals, and its exit status.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cmdmailer/goods_report/bound_names.h"
#include "cmdmailer/program/frame_procedure.h"
#include "cmdmailer/program/vextrel_modules.h"
#include "engine/global_data.h"
#include "framework/core/command_line.h"
#include "framework/core/module_init.h"
#include "framework/core/thread_values.h"
#include "framework/ui/qt/application.h"
#include "framework/ui/window.h"
#include "goods/goods_file.h"
#include "tests/vextrel/vextrel_folder.h"

namespace {

namespace fs = std::filesystem;
using namespace vextrel;

struct FrameCase {
    const char* name;
    std::vector<std::string> arguments;
    int exitStatus;
    std::uint8_t jobNumber;
    std::uint8_t mode;
    std::string standardError;
    bool htmlWritten;
};

void PrintTo(const FrameCase& c, std::ostream* out) { *out << c.name; }

class FrameProcedure : public VextrelFolderTest, public ::testing::WithParamInterface<FrameCase> {
protected:
    void SetUp() override
    {
        VextrelFolderTest::SetUp();
        fw::ui::startWindowSystem();
        engine::setProfile(engine::VextrelProfile);
        registerVextrelModules();
        fw::core::runModuleStart();
    }
    void TearDown() override
    {
        fw::core::runModuleEnd();
        engine::BMKG = engine::MailGlobals{};
        engine::setProfile(engine::ZorvaneProfile);
        VextrelFolderTest::TearDown();
    }
};

TEST_P(FrameProcedure, TakesTheJobAndModeAndEvaluatesTheCall)
{
    const FrameCase& c = GetParam();
    std::vector<const char*> argv{"vextrel"};
    for (const std::string& a : c.arguments)
        argv.push_back(a.c_str());
    fw::core::setCommandLine(static_cast<int>(argv.size()), argv.data());
    fs::create_directory(at("out"));

    testing::internal::CaptureStderr();
    VextrelMain();
    const std::string standardError = testing::internal::GetCapturedStderr();

    EXPECT_EQ(exitStatus(), c.exitStatus);
    EXPECT_EQ(standardError, c.standardError);
    EXPECT_EQ(engine::BMKG.JobNumber, c.jobNumber);
    EXPECT_EQ(engine::BMKG.Mode, c.mode);
    EXPECT_EQ(fs::exists(at("out/kr.html")), c.htmlWritten);
    EXPECT_TRUE(fs::is_directory(at("KR")));
    EXPECT_TRUE(fw::ui::openWindows().empty()) << "the frame is never opened and the progress window is gone";
    // The builder was bound for the evaluation only.
    const auto unbound = vextrel::boundNames().evaluate("MakeHTMLFileBMKSW");
    ASSERT_FALSE(unbound);
    EXPECT_EQ(unbound.error().code, 800);
    EXPECT_EQ(fw::core::threadValues().response, 2);
}

// Mode 0 in the call: the body file alone, so that no pages are needed.
const std::string Call =
    "MakeHTMLFileBMKSW('out/kr.html',0,16777215,100,'Report','','Arial',3,0,197,197,8270,11530,0,0,'A4')";

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    CommandLines, FrameProcedure,
    ::testing::Values(
        FrameCase{"NoCommandLine", {}, ExitNotBuilt, 0, 2,
                  "Sorry :-(: EXE must be called with secret\ncommand line parameters!!!\n", false},
        FrameCase{"JobAndModeFromTheFirstTwoWords", {"12", "3", Call}, ExitBuilt, 12, 3, "", true},
        FrameCase{"LowEightBitsOfEach", {"300", "258", Call}, ExitBuilt, 44, 2, "", true},
        FrameCase{"CallAloneGivesJobZero", {Call}, ExitBuilt, 0, 0, "", true},
        FrameCase{"NoCallBuildsNothing", {"12", "2", "1+1"}, ExitNotBuilt, 12, 2,
                  "vextrel: the command line calls no MakeHTMLFileBMKSW\n", false}),
    [](const ::testing::TestParamInfo<FrameCase>& info) { return std::string(info.param.name); });
// clang-format on

TEST(ProgramData, TheInitialiserClearsTheDataAndFreesTheQueuesAtTheEnd)
{
    engine::BMKG.WorkFolder = "C:\\somewhere\\";
    engine::BMKG.RTFpath = "D:\\";
    engine::ORAF.name = "left.html";
    goods::GOD.CUSID = 7;
    goods::GOD.GOODS = "Item";
    fw::core::threadValues().request = 3;
    fw::core::threadValues().response = 4;
    engine::OAQ.append({"a"});
    engine::OBQ.append({"b"});

    initialiseProgramData(fw::core::ModuleStep::Start);
    EXPECT_TRUE(engine::BMKG.WorkFolder.isBlank());
    EXPECT_TRUE(engine::BMKG.RTFpath.isBlank());
    EXPECT_TRUE(engine::ORAF.name.isBlank());
    EXPECT_EQ(goods::GOD.CUSID, 0);
    EXPECT_TRUE(goods::GOD.GOODS.isBlank());
    EXPECT_EQ(fw::core::threadValues().request, 0);
    EXPECT_EQ(fw::core::threadValues().response, 0);
    EXPECT_EQ(engine::OAQ.count(), 1u) << "the queues live until the end";

    initialiseProgramData(fw::core::ModuleStep::End);
    EXPECT_EQ(engine::OAQ.count(), 0u);
    EXPECT_EQ(engine::OBQ.count(), 0u);
}

} // namespace
