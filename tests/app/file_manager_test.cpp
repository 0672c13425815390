#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>

#include "framework/app/file_manager.h"
#include "framework/core/error_codes.h"
#include "tests/support/message_capture.h"
#include "tests/support/people_file.h"
#include "tests/support/temp_folder.h"

using namespace fw::app;
using fw::data::DataFile;
using test_support::createPeople;
using test_support::peopleLayout;
using test_support::PersonRecord;
using test_support::put;
namespace Code = fw::core::ErrorCode;

namespace {

class FileManagerTest : public test_support::TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        m_errors.init();
        m_files.init(m_file, m_errors);
        m_files.setName("People");
        m_files.setLockRecover(30);
        m_files.addKey(m_file.key(0), "by Name");
    }
    void makeFile()
    {
        PersonRecord buffer;
        DataFile file(fw::data::FileLayout(peopleLayout()), &buffer);
        createPeople(file, buffer, {{1, "Alice", "NY", 1985}});
    }

    test_support::MessageCapture m_capture;
    ErrorManager m_errors;
    PersonRecord m_person;
    DataFile m_file{peopleLayout(), &m_person};
    FileManager m_files;
};

TEST_F(FileManagerTest, MissingFileIsCreatedWhenAllowed)
{
    m_files.setCreate(CreateWhenMissing::Yes);
    EXPECT_EQ(m_files.open(), 0);
    EXPECT_TRUE(m_file.isOpen());
    EXPECT_TRUE(std::filesystem::exists("PEOPLE.sqlite"));
    EXPECT_TRUE(m_capture.messages.empty());
}

TEST_F(FileManagerTest, MissingFileFailsWithAMessageWhenNotAllowed)
{
    EXPECT_NE(m_files.open(), 0);
    EXPECT_FALSE(m_file.isOpen());
    EXPECT_FALSE(std::filesystem::exists("PEOPLE.sqlite"));
    ASSERT_EQ(m_capture.messages.size(), 1u);
    EXPECT_EQ(m_capture.messages[0].caption, "File Open Error");
    EXPECT_EQ(m_capture.messages[0].text, "Error: (File not found) attempting to open the People file.|data file: "
                                          "PEOPLE: opening: PEOPLE.sqlite does not exist");
    EXPECT_EQ(m_files.lastError().code, Code::FileNotFound);
}

TEST_F(FileManagerTest, FailedCreationIsReportedAsSuch)
{
    PersonRecord buffer;
    auto layout = peopleLayout();
    layout.label = "no-such-folder/PEOPLE";
    DataFile file(layout, &buffer);
    FileManager files;
    files.init(file, m_errors);
    files.setName("People");
    files.setCreate(CreateWhenMissing::Yes);
    EXPECT_NE(files.open(), 0);
    ASSERT_EQ(m_capture.messages.size(), 1u);
    EXPECT_EQ(m_capture.messages[0].caption, "File Creation Error");
}

TEST_F(FileManagerTest, OpensAndClosesByUseCount)
{
    makeFile();
    EXPECT_EQ(m_files.open(), 0);
    EXPECT_EQ(m_files.open(), 0);
    EXPECT_EQ(m_files.useCount(), 2);
    m_files.close();
    EXPECT_TRUE(m_file.isOpen());
    m_files.close();
    EXPECT_FALSE(m_file.isOpen());
}

TEST_F(FileManagerTest, LockedFileIsWaitedForWithItsRecoverTime)
{
    makeFile();
    PersonRecord other;
    DataFile holder(peopleLayout(), &other);
    ASSERT_TRUE(holder.open());
    ASSERT_TRUE(holder.lock());
    DataFile::setLockWaitObserverForTesting([&](const DataFile&) { holder.unlock(); });
    const int result = m_files.open();
    DataFile::setLockWaitObserverForTesting({});
    EXPECT_EQ(result, 0);
    EXPECT_EQ(m_file.recoverSeconds(), 30);
    EXPECT_TRUE(m_capture.messages.empty());
}

struct RebuildCase {
    const char* name;
    unsigned answer;
    bool opened;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const RebuildCase& row, std::ostream* os) { *os << row.name; }

class FileManagerRebuildTest : public FileManagerTest, public ::testing::WithParamInterface<RebuildCase> {};

TEST_P(FileManagerRebuildTest, DamagedKeysAreRebuiltWhenTheUserSaysSo)
{
    makeFile();
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open("PEOPLE.sqlite", &db), SQLITE_OK);
    sqlite3_exec(db, "DROP INDEX \"PEO:ByName\"", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    m_capture.answer = GetParam().answer;
    EXPECT_EQ(m_files.open() == 0, GetParam().opened);
    EXPECT_EQ(m_file.isOpen(), GetParam().opened);
    ASSERT_EQ(m_capture.messages.size(), 1u);
    EXPECT_EQ(m_capture.messages[0].caption, "Key Needs Rebuilding");
}

INSTANTIATE_TEST_SUITE_P(Answers, FileManagerRebuildTest,
                         ::testing::Values(RebuildCase{"Yes", fw::ui::Button::Yes, true},
                                           RebuildCase{"No", fw::ui::Button::No, false}),
                         [](const auto& info) { return std::string(info.param.name); });

class RefusingYears : public FileManager {
public:
    int validateField(std::size_t number) override
    {
        checked.push_back(number);
        return number == 4 && static_cast<PersonRecord*>(file().buffer())->YEAR < 1900 ? 1 : 0;
    }
    std::vector<std::size_t> checked;
};

TEST_F(FileManagerTest, InsertChecksEveryFieldFirst)
{
    makeFile();
    RefusingYears files;
    files.init(m_file, m_errors);
    ASSERT_EQ(files.open(), 0);
    put(m_person, {2, "Bob", "LA", 1800});
    EXPECT_NE(files.insert(), 0);
    EXPECT_EQ(files.checked, (std::vector<std::size_t>{1, 2, 3, 4}));
    m_person.YEAR = 1999;
    EXPECT_EQ(files.insert(), 0);
    EXPECT_EQ(*m_file.records(), 2);
}

TEST_F(FileManagerTest, DuplicateIsReportedWithTheKeysDescription)
{
    makeFile();
    ASSERT_EQ(m_files.open(), 0);
    put(m_person, {2, "ALICE", "LA", 1999});
    EXPECT_NE(m_files.insert(), 0);
    ASSERT_EQ(m_capture.messages.size(), 1u);
    EXPECT_EQ(m_capture.messages[0].text, "The record would duplicate the key by Name of the People file.");
}

TEST_F(FileManagerTest, TryFetchShowsNothingAndAnswersTheCode)
{
    makeFile();
    ASSERT_EQ(m_files.open(), 0);
    m_person.NAME = "nobody";
    EXPECT_EQ(m_files.tryFetch(m_file.key(0)), Code::RecordNotFound);
    m_person.NAME = "alice";
    EXPECT_EQ(m_files.tryFetch(m_file.key(0)), 0);
    EXPECT_TRUE(m_capture.messages.empty());
}

} // namespace
