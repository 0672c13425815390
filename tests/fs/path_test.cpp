#include "framework/fs/path.h"

#include "framework/fs/case_lookup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

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
        // Only the last name differs: its folder exists as written.
        {systemFolder() + "Work\\KR\\423.WMF", base + "/Work/KR/423.wmf"},
        {"Work\\KR\\423.WMF", "Work/KR/423.wmf"},
        {systemFolder() + "Work\\KR\\NEW.rtf", base + "/Work/KR/NEW.rtf"},
        // Missing components stay as written: the name of a file to create.
        {systemFolder() + "work\\kr\\NEW.rtf", base + "/Work/KR/NEW.rtf"},
        {systemFolder() + "none\\Sub\\x", base + "/none/Sub/x"},
        {"WORK\\Kr\\", "Work/KR/"},
        {"work", "Work"},
    };
    // A snapshot of the folders changes how often they are listed, never
    // what is found: twice through, the second time from the snapshot.
    for (const bool snapshot : {false, true}) {
        std::optional<FolderSnapshot> folders;
        if (snapshot)
            folders.emplace();
        for (int pass = 0; pass < 2; ++pass) {
            for (const Case& c : cases)
                EXPECT_EQ(resolve(c.asked).string(), c.found) << c.asked << (snapshot ? " in a snapshot" : "");
        }
    }
}

TEST_F(PathResolve, AmongNamesThatDifferOnlyInCaseTheFirstInOrderWins)
{
    write(at("b.TXT"), "");
    write(at("B.txt"), "");
    write(at("a.txt"), "");
    write(at("A.TXT"), "");
    for (const bool snapshot : {false, true}) {
        std::optional<FolderSnapshot> folders;
        if (snapshot)
            folders.emplace();
        EXPECT_EQ(resolve("b.txt").string(), "B.txt");
        EXPECT_EQ(resolve("b.TXT").string(), "b.TXT"); // as written when it exists
        EXPECT_EQ(resolve("a.Txt").string(), "A.TXT");
    }
}

TEST_F(PathResolve, ASnapshotListsAFolderOnceAndIsForgottenWhenItEnds)
{
    write(at("page1.wmf"), "");
    {
        const FolderSnapshot folders;
        EXPECT_EQ(resolve("PAGE1.WMF").string(), "page1.wmf");
        // Written after the folder was listed: not seen while the snapshot
        // lives, which is why it is kept to stretches that change nothing.
        write(at("page2.wmf"), "");
        EXPECT_EQ(resolve("PAGE2.WMF").string(), "PAGE2.WMF");
        {
            const FolderSnapshot inner; // the outer one still answers
            EXPECT_EQ(resolve("PAGE2.WMF").string(), "PAGE2.WMF");
        }
        EXPECT_EQ(resolve("PAGE2.WMF").string(), "PAGE2.WMF");
    }
    EXPECT_EQ(resolve("PAGE2.WMF").string(), "page2.wmf");
}

TEST_F(PathResolve, CurrentDirectoryIsTheLongFormWithoutTrailingSlash)
{
    EXPECT_EQ(currentDirectory(), std::filesystem::current_path().string());
    EXPECT_NE(currentDirectory().back(), '/');
}
