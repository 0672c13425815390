#include "engine/shell/shell_open.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/fs/temp_folder.h"

using namespace engine;

namespace {

// A fake xdg-open first on PATH writes "<argument count>:<first argument>"
// and a newline into a FIFO that the test reads, with a watchdog that fails
// the test rather than hang.
class ShellOpenTest : public TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        std::filesystem::create_directory(at("bin"));
        ASSERT_EQ(::mkfifo(at("record").c_str(), 0666), 0);
        // Held open for reading and writing, so reading never sees an end
        // between two fake runs.
        m_record = ::open(at("record").c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        ASSERT_GE(m_record, 0);
        write(at("bin/xdg-open"), "#!/bin/sh\nprintf '%s:%s\\n' \"$#\" \"$1\" > \"" + at("record").string() + "\"\n");
        std::filesystem::permissions(at("bin/xdg-open"), std::filesystem::perms::owner_all);
        const char* path = std::getenv("PATH");
        m_oldPath = path ? path : "";
        setPath(at("bin").string() + ":" + m_oldPath);
    }

    void TearDown() override
    {
        setPath(m_oldPath);
        setShellOpenTimerDrain({});
        if (m_record >= 0)
            ::close(m_record);
        TempFolderTest::TearDown();
    }

    static void setPath(const std::string& path) { ::setenv("PATH", path.c_str(), 1); }

    // What the fake recorded for one run.
    std::string nextRecord()
    {
        std::string line;
        for (;;) {
            pollfd p{m_record, POLLIN, 0};
            if (::poll(&p, 1, 20000) <= 0) {
                ADD_FAILURE() << "the fake xdg-open did not run";
                return line;
            }
            char c = 0;
            while (::read(m_record, &c, 1) == 1) {
                if (c == '\n')
                    return line;
                line += c;
            }
        }
    }

    int m_record = -1;
    std::string m_oldPath;
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
    setPath(at("nothing-here").string()); // no xdg-open at all
    ShellOpen(0, "file.rtf");
    EXPECT_EQ(drains, 2);
}
