#include "engine/shell/shell_open.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "tests/support/fake_program.h"
#include "tests/support/temp_folder.h"

using namespace engine;

namespace {

// A fake xdg-open first on PATH writes "<argument count>:<first argument>"
// and a newline into a FIFO that the test reads, with a watchdog that fails
// the test rather than hang.
class ShellOpenTest : public test_support::TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        m_record.emplace(at("record"));
        ASSERT_TRUE(m_record->isOpen());
        m_xdgOpen.emplace(at("bin"), "xdg-open", "printf '%s:%s\\n' \"$#\" \"$1\" > \"" + at("record").string() + "\"");
    }

    void TearDown() override
    {
        m_xdgOpen.reset();
        setShellOpenTimerDrain({});
        m_record.reset();
        TempFolderTest::TearDown();
    }

    // What the fake recorded for one run.
    std::string nextRecord() { return m_record->nextLine("the fake xdg-open"); }

    std::optional<test_support::LineRecorder> m_record;
    std::optional<test_support::FakeProgram> m_xdgOpen;
};

} // namespace

TEST_F(ShellOpenTest, HandsTheTrimmedPathOverAsItsOneArgument)
{
    const std::string hostile = "a \"quoted\" name; rm -rf x $(touch pwned) `id` 'single'.rtf";
    struct Case {
        std::string passed;
        std::string handed;
    } cases[] = {
        {"  C:\\KR\\Report.rtf  ", "C:/KR/Report.rtf"},
        {"https://example.org/page", "https://example.org/page"},
        {std::string(300, 'p'), std::string(254, 'p')},
        {"  " + std::string(260, 'q'), std::string(254, 'q')},
        {hostile, hostile},
        {"    ", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        ShellOpen(1, c.passed);
        EXPECT_EQ(nextRecord(), "1:" + c.handed);
    }
    EXPECT_FALSE(std::filesystem::exists(at("pwned")));
}

TEST_F(ShellOpenTest, FindsTheDocumentInTheCaseItHasOnDisk)
{
    std::filesystem::create_directory(at("KR"));
    std::ofstream(at("KR/Report.RTF")) << "{\\rtf1}";
    const std::string cwd = std::filesystem::current_path().string();
    ShellOpen(0, cwd + "\\KR\\Report.rtf");
    EXPECT_EQ(nextRecord(), "1:" + cwd + "/KR/Report.RTF");
}

TEST_F(ShellOpenTest, ReturnsAndDrainsTimersWhetherOrNotAnythingCanOpen)
{
    int drains = 0;
    setShellOpenTimerDrain([&] { ++drains; });
    ShellOpen(0, "file.rtf");
    EXPECT_EQ(nextRecord(), "1:file.rtf");
    test_support::ScopedEnv noOpener("PATH", at("nothing-here").string()); // no xdg-open at all
    ShellOpen(0, "file.rtf");
    EXPECT_EQ(drains, 2);
}
