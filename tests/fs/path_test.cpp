#include "framework/fs/path.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/temp_folder.h"

using namespace fw::fs;

TEST(Path, BackslashesBecomeSlashesAndTrailingBlanksGo)
{
    struct Case {
        const char* system;
        const char* native;
    } cases[] = {
        {"C:\\Data\\Out\\", "C:/Data/Out/"},
        {"KR\\423.WMF   ", "KR/423.WMF"},
        {"/tmp/a\\b", "/tmp/a/b"},
        {"  lead", "  lead"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(toNative(c.system).string(), c.native) << c.system;
}

class PathResolve : public test_support::TempFolderTest {};

TEST_F(PathResolve, EveryComponentIsFoundWithoutRegardToCase)
{
    std::filesystem::create_directories(at("Work/KR"));
    write(at("Work/KR/423.wmf"), "");
    const std::string base = m_folder.string();
    struct Case {
        std::string asked;
        std::string found;
    } cases[] = {
        {systemFolder() + "WORK\\kr\\423.WMF", base + "/Work/KR/423.wmf"},
        {base + "/work/KR/423.wmf", base + "/Work/KR/423.wmf"},
        // Missing components stay as written: the name of a file to create.
        {systemFolder() + "work\\kr\\NEW.rtf", base + "/Work/KR/NEW.rtf"},
        {systemFolder() + "none\\Sub\\x", base + "/none/Sub/x"},
        {"WORK\\Kr\\", "Work/KR/"},
        {"work", "Work"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(resolve(c.asked).string(), c.found) << c.asked;
}

TEST_F(PathResolve, AmongNamesThatDifferOnlyInCaseTheFirstInOrderWins)
{
    write(at("b.TXT"), "");
    write(at("B.txt"), "");
    EXPECT_EQ(resolve("b.txt").string(), "B.txt");
    EXPECT_EQ(resolve("b.TXT").string(), "b.TXT"); // as written when it exists
}

TEST_F(PathResolve, CurrentDirectoryIsTheLongFormWithoutTrailingSlash)
{
    EXPECT_EQ(currentDirectory(), std::filesystem::current_path().string());
    EXPECT_NE(currentDirectory().back(), '/');
}
