#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "framework/app/ini_manager.h"
#include "framework/fs/fault_seams.h"
#include "tests/support/temp_folder.h"

using namespace fw::app;

namespace {

class IniManagerTest : public test_support::TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        m_config.emplace("XDG_CONFIG_HOME", (m_folder / "config").string());
    }
    void TearDown() override
    {
        m_config.reset();
        TempFolderTest::TearDown();
    }
    std::optional<test_support::ScopedEnv> m_config;
};

TEST_F(IniManagerTest, LiesInTheDesktopsSettingsFolder)
{
    IniManager ini;
    ini.init("zorvane.INI");
    EXPECT_EQ(ini.path(), (m_folder / "config" / "reportmail" / "zorvane.INI").string());
    ini.kill();
    EXPECT_FALSE(std::filesystem::exists(m_folder / "config")); // nothing stored, nothing written
}

TEST_F(IniManagerTest, KeepsWhatIsStoredForTheNextStart)
{
    IniManager ini;
    ini.init("zorvane.INI");
    EXPECT_EQ(ini.fetch("Mail", "Mode", "1"), "1");
    ini.update("Mail", "Mode", "3");
    ini.kill();
    ini.init("zorvane.INI");
    EXPECT_EQ(ini.fetch("MAIL", "mode"), "3");
    EXPECT_EQ(contents(ini.path()), "[Mail]\nMode=3\n");
    ini.kill();
}

// A settings file that cannot be written in full keeps the one that was
// there, and nothing else is left beside it.
TEST_F(IniManagerTest, AFailedWriteKeepsTheEarlierSettings)
{
    for (auto arm : {fw::fs::failNthWriteForTesting, fw::fs::failNthCloseForTesting, fw::fs::failNthRenameForTesting}) {
        IniManager ini;
        ini.init("zorvane.INI");
        ini.update("Mail", "Mode", "3");
        ini.kill();
        ini.init("zorvane.INI");
        ini.update("Mail", "Mode", "4");
        arm(1);
        ini.kill();
        arm(0);
        EXPECT_EQ(contents(ini.path()), "[Mail]\nMode=3\n");
        EXPECT_EQ(test_support::fileNames(m_folder / "config" / "reportmail"), std::vector<std::string>{"zorvane.INI"});
    }
}

} // namespace
