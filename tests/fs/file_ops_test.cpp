#include "framework/fs/file_ops.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "framework/core/error_codes.h"
#include "framework/fs/directory.h"
#include "framework/fs/work_file.h"
#include "tests/support/temp_folder.h"

using namespace fw::fs;
namespace Code = fw::core::ErrorCode;

namespace {

class FileOps : public test_support::TempFolderTest {
protected:
    void TearDown() override
    {
        setCreateFolderForTesting({});
        TempFolderTest::TearDown();
    }
};

std::vector<std::string> namesOf(const std::vector<DirectoryEntry>& entries)
{
    std::vector<std::string> names;
    for (const DirectoryEntry& e : entries)
        names.push_back(e.NAME.clipped());
    return names;
}

} // namespace

TEST_F(FileOps, CopyReplacesTheDestinationFoundInAnyCase)
{
    write(at("42.RTF"), "new document");
    write(at("Report.rtf"), "an older, longer document");
    ASSERT_TRUE(copyFile(systemFolder() + "42.rtf", systemFolder() + "REPORT.RTF"));
    EXPECT_EQ(contents(at("Report.rtf")), "new document");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder), {}), 2);
}

TEST_F(FileOps, ACopyThatCannotHappenLeavesNothingBehind)
{
    auto missing = copyFile("absent.rtf", "copy.rtf");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().code, Code::FileNotFound);
    EXPECT_FALSE(copyFile("absent.rtf", "nofolder\\copy.rtf"));
    write(at("a.rtf"), "a");
    EXPECT_FALSE(copyFile("a.rtf", "nofolder\\copy.rtf"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder), {}), 1);
}

TEST_F(FileOps, ADestinationHeldByAWriterIsNotReplaced)
{
    write(at("a.rtf"), "a");
    ByteFile holder;
    holder.name = "b.rtf";
    ASSERT_EQ(holder.create(), 0);
    ASSERT_EQ(holder.open(), 0);
    auto copied = copyFile("a.rtf", "b.rtf");
    ASSERT_FALSE(copied);
    EXPECT_EQ(copied.error().code, Code::AccessDenied);
    EXPECT_EQ(holder.close(), 0);
    EXPECT_TRUE(copyFile("a.rtf", "b.rtf"));
}

TEST_F(FileOps, RemoveFindsTheFileInAnyCaseAndAMissingOneIsNoError)
{
    write(at("421.wmf"), "");
    EXPECT_TRUE(removeFile(systemFolder() + "421.WMF"));
    EXPECT_FALSE(std::filesystem::exists(at("421.wmf")));
    EXPECT_TRUE(removeFile(systemFolder() + "421.WMF"));
    EXPECT_TRUE(fileExists("nothing") == false);
}

TEST_F(FileOps, CreateFolderMakesOneLevelOnly)
{
    EXPECT_TRUE(createFolder("One\\"));
    EXPECT_TRUE(std::filesystem::is_directory(at("One")));
    EXPECT_FALSE(createFolder("one")); // exists, found in any case
    EXPECT_FALSE(createFolder("Two\\Three"));
    EXPECT_TRUE(createFolder("ONE\\Sub"));
    EXPECT_TRUE(std::filesystem::is_directory(at("One/Sub")));
}

TEST_F(FileOps, CreateFolderSeamSeesTheNameAsPassed)
{
    std::vector<std::string> seen;
    setCreateFolderForTesting([&](std::string_view name) {
        seen.emplace_back(name);
        return false;
    });
    EXPECT_FALSE(createFolder("C:\\Data\\"));
    EXPECT_EQ(seen, std::vector<std::string>{"C:\\Data\\"});
    EXPECT_FALSE(std::filesystem::exists(at("C:")));
}

TEST_F(FileOps, FileSizeAndExistence)
{
    write(at("five.bin"), "12345");
    EXPECT_EQ(fileSize("FIVE.BIN"), 5u);
    EXPECT_TRUE(fileExists("Five.bin"));
    EXPECT_EQ(fileSize("six.bin"), std::nullopt);
}

TEST(Mask, StarAndQuestionMarkMatchWithoutRegardToCase)
{
    // clang-format off
    struct Case {
        const char* name;
        const char* pattern;
        bool matches;
    } cases[] = {
        {"report.pdf", "*.pdf", true},  {"REPORT.PDF", "*.pdf", true}, {"report.pdfx", "*.pdf", false},
        {"a.txt", "?.txt", true},        {"ab.txt", "?.txt", false},    {"anything", "*", true},
        {"", "*", true},                 {"abc", "a*c", true},          {"abbbc", "a*b*c", true},
        {"ac", "a?c", false},            {"x.y.z", "*.z", true},        {"file", "file", true},
    };
    // clang-format on
    for (const Case& c : cases)
        EXPECT_EQ(matchesMask(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
}

TEST_F(FileOps, ListingGivesMatchingEntriesInNameOrder)
{
    std::filesystem::create_directory(at("Attach"));
    write(at("Attach/b.PDF"), "123");
    write(at("Attach/a.pdf"), "1");
    write(at("Attach/c.txt"), "");
    write(at("Attach/LongFileName.pdf"), "");
    std::filesystem::create_directory(at("Attach/d.pdf"));
    std::filesystem::permissions(at("Attach/a.pdf"), std::filesystem::perms::owner_read);

    const auto files = listFolder(systemFolder() + "attach\\*.pdf");
    EXPECT_EQ(namesOf(files), (std::vector<std::string>{"a.pdf", "b.PDF", "LongFileName.pdf"}));
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0].SIZE, 1);
    EXPECT_EQ(files[1].SIZE, 3);
    EXPECT_EQ(files[0].ATTRIB, Attribute::Archive | Attribute::ReadOnly);
    EXPECT_EQ(files[1].ATTRIB, Attribute::Archive);
    EXPECT_EQ(files[2].SHORTNAME.clipped(), "LONGFILE.PDF");
    EXPECT_GT(files[0].DATE, 0);
    EXPECT_GT(files[0].TIME, 0);

    const auto withFolders = listFolder(systemFolder() + "Attach\\*.pdf", Attribute::Directory);
    EXPECT_EQ(namesOf(withFolders), (std::vector<std::string>{"a.pdf", "b.PDF", "d.pdf", "LongFileName.pdf"}));
    EXPECT_EQ(withFolders[2].ATTRIB, Attribute::Directory);
    EXPECT_TRUE(listFolder(systemFolder() + "missing\\*.*").empty());
}

struct HiddenRow {
    const char* name;
    std::uint8_t attributeMask;
    std::vector<std::string> listed;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const HiddenRow& row, std::ostream* os) { *os << row.name; }

class ListingHiddenEntries : public FileOps, public ::testing::WithParamInterface<HiddenRow> {};

// A name that starts with a dot is hidden; only a mask with the hidden
// attribute lists it, and a hidden folder needs the folder attribute too.
TEST_P(ListingHiddenEntries, NeedTheHiddenAttributeInTheMask)
{
    write(at("a.doc"), "a");
    write(at(".hidden.doc"), "h");
    std::filesystem::create_directory(at("sub.doc"));
    std::filesystem::create_directory(at(".old.doc"));
    const auto entries = listFolder(systemFolder() + "*.doc", GetParam().attributeMask);
    EXPECT_EQ(namesOf(entries), GetParam().listed);
    for (const DirectoryEntry& e : entries)
        EXPECT_EQ((e.ATTRIB & Attribute::Hidden) != 0, e.NAME.clipped().front() == '.') << e.NAME.clipped();
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Masks, ListingHiddenEntries,
    ::testing::Values(HiddenRow{"MaskZeroListsNoHiddenEntries", 0, {"a.doc"}},
                      HiddenRow{"HiddenAddsHiddenFiles", Attribute::Hidden, {".hidden.doc", "a.doc"}},
                      HiddenRow{"DirectoryAddsVisibleFolders", Attribute::Directory, {"a.doc", "sub.doc"}},
                      HiddenRow{"BothAddHiddenFolders", Attribute::Hidden | Attribute::Directory,
                                {".hidden.doc", ".old.doc", "a.doc", "sub.doc"}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on
