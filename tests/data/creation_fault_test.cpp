// Creating a data file: a creation that fails leaves no file of the name
// (which every later open would refuse as not ours) and keeps the file that
// was there.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/core/error_codes.h"
#include "framework/data/data_file.h"
#include "tests/support/file_faults.h"
#include "tests/support/people_file.h"
#include "tests/support/small_disk.h"
#include "tests/support/temp_folder.h"

using namespace fw::data;
using test_support::createPeople;
using test_support::kPeople;
using test_support::peopleLayout;
using test_support::PersonRecord;
namespace Code = fw::core::ErrorCode;
namespace fs = std::filesystem;

namespace {

struct CreationRow {
    const char* name;
    // Prepares the folder (an earlier PEOPLE with its records is there when
    // `earlier` is set) and arms a fault.
    std::function<void()> arrange;
    bool earlier;
    int code;
    std::string text;
    fs::file_type left; // what stands under the name afterwards
};

void PrintTo(const CreationRow& row, std::ostream* os) { *os << row.name; }

class DataFileCreationFault : public test_support::TempFolderTest, public ::testing::WithParamInterface<CreationRow> {
protected:
    void TearDown() override
    {
        test_support::disarmFileFaults();
        TempFolderTest::TearDown();
    }

    PersonRecord m_person;
    DataFile m_file{peopleLayout(), &m_person};
};

TEST_P(DataFileCreationFault, LeavesNoFileAndKeepsTheEarlierOne)
{
    const CreationRow& row = GetParam();
    if (row.earlier) {
        createPeople(m_file, m_person, kPeople);
        m_file.close();
    }
    row.arrange();

    const auto created = m_file.create();
    test_support::disarmFileFaults();
    ASSERT_FALSE(created) << "reported as created";
    EXPECT_EQ(created.error().code, row.code);
    EXPECT_EQ(created.error().text(), row.text);
    EXPECT_EQ(fs::symlink_status("PEOPLE.sqlite").type(), row.left);
    for (const std::string& name : test_support::fileNames(m_folder))
        EXPECT_FALSE(name.starts_with(".")) << "a temporary is left: " << name;
    if (row.earlier) {
        ASSERT_TRUE(m_file.open());
        EXPECT_EQ(*m_file.records(), static_cast<std::int64_t>(kPeople.size()));
        m_file.close();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, DataFileCreationFault,
    ::testing::Values(
        CreationRow{"TheCloseFails", [] { fw::fs::failNthCloseForTesting(1); }, true, Code::FileSystemError,
                    "data file: PEOPLE: creating: cannot write PEOPLE.sqlite: Input/output error",
                    fs::file_type::regular},
        CreationRow{"TheRenameFails", [] { fw::fs::failNthRenameForTesting(1); }, true, Code::FileSystemError,
                    "data file: PEOPLE: creating: cannot put PEOPLE.sqlite in place: Input/output error",
                    fs::file_type::regular},
        CreationRow{"TheNameIsAFolder", [] { fs::create_directory("PEOPLE.sqlite"); }, false, Code::AccessDenied,
                    "data file: PEOPLE: creating: PEOPLE.sqlite is a folder", fs::file_type::directory},
        CreationRow{"TheNameIsAFIFO", [] { ::mkfifo("PEOPLE.sqlite", 0666); }, false, Code::AccessDenied,
                    "data file: PEOPLE: creating: PEOPLE.sqlite is a FIFO, not a file", fs::file_type::fifo}),
    [](const auto& info) { return std::string(info.param.name); });

// A disk that fills up while the file is created, for real.
TEST(DataFileOnAFullDisk, LeavesNoEmptyFileThatLaterRunsWouldRefuse)
{
    test_support::TempFolder scratch{"data-test"};
    const fs::path disk = scratch.path() / "disk";
    test_support::SmallDisk small(disk, 64);
    if (!small.mounted())
        GTEST_SKIP() << small.why();
    const fs::path previous = fs::current_path();
    fs::current_path(disk);

    // All but one page of the disk is taken.
    ASSERT_TRUE(small.fill(4096));
    PersonRecord person;
    DataFile file{peopleLayout(), &person};
    const auto created = file.create();
    ASSERT_FALSE(created) << "created on a full disk";
    EXPECT_EQ(created.error().text(), "data file: PEOPLE: creating: database or disk is full");
    EXPECT_EQ(test_support::fileNames(disk), std::vector<std::string>{"filler"});

    // Once there is room, the file is created and opens: nothing was left
    // in its way.
    fs::remove("filler");
    ASSERT_TRUE(file.create());
    EXPECT_TRUE(file.open());
    file.close();
    fs::current_path(previous);
}

} // namespace
