#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "framework/app/file_opener.h"
#include "framework/core/error_codes.h"
#include "tests/support/message_capture.h"
#include "tests/support/people_file.h"
#include "tests/support/temp_folder.h"

using namespace fw::app;
using fw::data::DataFile;
using test_support::createPeople;
using test_support::peopleLayout;
using test_support::PersonRecord;
namespace Code = fw::core::ErrorCode;

namespace {

class FileOpenerTest : public test_support::TempFolderTest {
protected:
    test_support::MessageCapture m_capture;
    PersonRecord m_person;
    DataFile m_file{peopleLayout(), &m_person};
};

TEST_F(FileOpenerTest, MissingFileIsCreatedEmptyAndOpened)
{
    ASSERT_TRUE(openDataFile(m_file, "People"));
    EXPECT_TRUE(m_file.isOpen());
    EXPECT_EQ(*m_file.records(), 0);
    EXPECT_TRUE(m_capture.messages.empty());
    EXPECT_TRUE(m_capture.halts.empty());
}

TEST_F(FileOpenerTest, LockedFileIsWaitedForTenSeconds)
{
    {
        PersonRecord buffer;
        DataFile file(peopleLayout(), &buffer);
        createPeople(file, buffer, {});
    }
    PersonRecord other;
    DataFile holder(peopleLayout(), &other);
    ASSERT_TRUE(holder.open());
    ASSERT_TRUE(holder.lock());
    DataFile::setLockWaitObserverForTesting([&](const DataFile&) { holder.unlock(); });
    auto r = openDataFile(m_file, "People");
    DataFile::setLockWaitObserverForTesting({});
    ASSERT_TRUE(r);
    EXPECT_EQ(m_file.recoverSeconds(), 10);
}

TEST_F(FileOpenerTest, AForeignFileEndsTheProgramWithDiskError)
{
    std::ofstream("PEOPLE.sqlite") << "just some text\n";
    auto r = openDataFile(m_file, "People");
    ASSERT_FALSE(r);
    EXPECT_EQ(r.error().code, Code::InvalidDataFile);
    ASSERT_EQ(m_capture.messages.size(), 1u);
    EXPECT_EQ(m_capture.messages[0].caption, "File Access Error");
    EXPECT_EQ(m_capture.messages[0].text,
              "Error: (Not a valid data file) attempting to open the People file.|data file: PEOPLE: opening: the "
              "file is not a data file of this program");
    EXPECT_EQ(m_capture.halts, (std::vector<std::string>{"Disk Error"}));
}

} // namespace
