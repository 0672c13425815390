#include "engine/folders/make_folders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "framework/core/text.h"
#include "framework/fs/file_ops.h"
#include "tests/support/temp_folder.h"

using namespace engine;
using fw::core::fitted;

namespace {

struct WalkCase {
    const char* name;
    std::string passed; // the value as passed, its width included
    std::vector<std::string> attempts;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const WalkCase& row, std::ostream* os) { *os << row.name; }

class MakeFoldersWalk : public ::testing::TestWithParam<WalkCase> {
protected:
    void TearDown() override { fw::fs::setCreateFolderForTesting({}); }
};

const std::string LongPath = "\\" + std::string(150, 'a') + "\\" + std::string(150, 'b') + "\\";

} // namespace

TEST_P(MakeFoldersWalk, AttemptsEveryLevelFromTheTopDown)
{
    std::vector<std::string> attempts;
    fw::fs::setCreateFolderForTesting([&](std::string_view name) {
        attempts.emplace_back(name);
        return false; // every failure is ignored
    });
    MakeFolders(GetParam().passed);
    EXPECT_EQ(attempts, GetParam().attempts);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Paths, MakeFoldersWalk,
    ::testing::Values(
        WalkCase{"Drive", fitted("C:\\Data\\Out\\", 200), {"C:\\Data\\Out\\", "C:\\Data", "C:\\Data\\Out"}},
        WalkCase{"DriveWithoutBackslash", fitted("C:\\Data\\Out", 200),
                 {"C:\\Data\\Out\\", "C:\\Data", "C:\\Data\\Out"}},
        WalkCase{"FromTheRoot", fitted("\\Data\\Out\\", 256), {"\\Data\\Out\\", "\\Data", "\\Data\\Out"}},
        WalkCase{"AbsoluteOnThisSystem", fitted("\\tmp\\kr\\Out", 256),
                 {"\\tmp\\kr\\Out\\", "\\tmp", "\\tmp\\kr", "\\tmp\\kr\\Out"}},
        WalkCase{"Network",
                 fitted("\\\\srv\\share\\dir\\", 200),
                 {"\\\\srv\\share\\dir\\", "\\", "\\\\srv", "\\\\srv\\share", "\\\\srv\\share\\dir"}},
        WalkCase{"Relative", fitted("Out\\Sub\\", 200), {"Out\\Sub\\", "Out\\Sub"}},
        WalkCase{"ForwardSlashesFromTheRoot", fitted("/tmp/kr/Out", 200),
                 {"/tmp/kr/Out\\", "/tmp", "/tmp/kr", "/tmp/kr/Out"}},
        WalkCase{"ForwardSlashesFromTheCurrentFolder", fitted("copies/a/b", 200),
                 {"copies/a/b\\", "copies", "copies/a", "copies/a/b"}},
        WalkCase{"CurrentDirectoryThenBackslashes", fitted("/home/ann\\KR\\", 256),
                 {"/home/ann\\KR\\", "/home", "/home/ann", "/home/ann\\KR"}},
        WalkCase{"DoubledSlashNamesNoEmptyLevel", fitted("/srv//out/", 200),
                 {"/srv//out/\\", "/srv", "/srv//out"}},
        WalkCase{"SlashPathFillsItsWidth", "a/b", {"a/b", "a"}},
        WalkCase{"FillsItsWidth", "C:\\A\\B", {"C:\\A\\B", "C:\\A"}},
        WalkCase{"OneLevel", fitted("Out", 10), {"Out\\"}},
        WalkCase{"Blank", fitted("", 200), {}},
        WalkCase{"Empty", "", {}},
        WalkCase{"NamesAreCutAt255", LongPath,
                 {LongPath.substr(0, 255), std::string("\\").append(150, 'a'),
                  (LongPath.substr(0, LongPath.size() - 1)).substr(0, 255)}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

class MakeFoldersOnDisk : public test_support::TempFolderTest {};

TEST_F(MakeFoldersOnDisk, CreatesEveryMissingLevel)
{
    MakeFolders(fitted(systemFolder() + "A\\B\\C", 256));
    EXPECT_TRUE(std::filesystem::is_directory(at("A/B/C")));
    // Again, with every level there: nothing changes, nothing is raised.
    write(at("A/B/C/file"), "kept");
    MakeFolders(fitted(systemFolder() + "A\\B\\C\\", 256));
    EXPECT_EQ(contents(at("A/B/C/file")), "kept");
}

TEST_F(MakeFoldersOnDisk, ARelativePathNeverCreatesItsFirstLevel)
{
    MakeFolders(fitted("Out\\Sub\\", 256));
    EXPECT_FALSE(std::filesystem::exists(at("Out")));
    std::filesystem::create_directory(at("Out"));
    MakeFolders(fitted("Out\\Sub\\Deeper\\", 256));
    EXPECT_TRUE(std::filesystem::is_directory(at("Out/Sub/Deeper")));
}

TEST_F(MakeFoldersOnDisk, ForwardSlashesMakeEveryMissingLevel)
{
    const std::string base = m_folder.string();
    MakeFolders(fitted(base + "/X/Y/Z", 256)); // absolute: from the root
    EXPECT_TRUE(std::filesystem::is_directory(at("X/Y/Z")));
    MakeFolders(fitted("copies/a/b", 256)); // relative: from the current folder
    EXPECT_TRUE(std::filesystem::is_directory(at("copies/a/b")));
}
