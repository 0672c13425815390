// Read batches: the reads of a batch share a read transaction, which holds
// off other openers' exclusive locks until the batch ends, lets a waiting
// writer in within a few milliseconds, and never swallows this opener's own
// writes.

#include "framework/data/read_batch.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "framework/core/error_codes.h"
#include "tests/support/people_file.h"
#include "tests/support/temp_folder.h"

using namespace fw::data;
using test_support::createPeople;
using test_support::kPeople;
using test_support::peopleLayout;
using test_support::PersonRecord;
using test_support::put;
namespace Code = fw::core::ErrorCode;

namespace {

class ReadBatchTest : public test_support::TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        createPeople(m_file, m_person, kPeople);
        ASSERT_TRUE(m_file.setRecordOrder());
    }
    void TearDown() override
    {
        DataFile::setLockWaitObserverForTesting({});
        TempFolderTest::TearDown();
    }

    // The records that a second opener of the file finds.
    static std::int64_t recordsSeenByAnotherOpener()
    {
        PersonRecord buffer;
        DataFile other(peopleLayout(), &buffer);
        if (!other.open(Access::ReadOnly))
            return -1;
        return other.records().value_or(-1);
    }

    PersonRecord m_person;
    DataFile m_file{peopleLayout(), &m_person};
    PersonRecord m_otherPerson;
    DataFile m_other{peopleLayout(), &m_otherPerson};
};

} // namespace

TEST_F(ReadBatchTest, HoldsTheReadLockFromItsFirstReadUntilTheOutermostBatchEnds)
{
    ASSERT_TRUE(m_other.open());
    {
        ReadBatch outer(m_file);
        {
            ReadBatch inner(m_file);
            ASSERT_TRUE(m_file.next());
            ASSERT_TRUE(m_file.next());
            auto locked = m_other.lock();
            ASSERT_FALSE(locked) << "a reader in a batch holds its read lock between reads";
            EXPECT_EQ(locked.error().code, Code::FileLocked);
        }
        EXPECT_TRUE(m_file.inReadBatch());
        EXPECT_FALSE(m_other.lock()) << "the outer batch still holds the lock";
        ASSERT_TRUE(m_file.next());
    }
    EXPECT_FALSE(m_file.inReadBatch());
    auto locked = m_other.lock();
    EXPECT_TRUE(locked) << locked.error().text();
    m_other.unlock();
}

// A writer of another opener, waiting to commit while the batch goes on
// reading, gets in within a few reads; the wait observer stands for the
// time that passes meanwhile, in which the batch reads on. (The read that
// meets the waiting writer fails as locked: without "Recover=N" it would
// not wait, and here it must not, since the writer waits on this thread.)
TEST_F(ReadBatchTest, AWaitingWriterIsLetInWhileTheBatchGoesOn)
{
    ASSERT_TRUE(m_other.open());
    m_other.sendCommand("Recover=5");
    ReadBatch batch(m_file);
    ASSERT_TRUE(m_file.next());

    int waits = 0;
    DataFile::setLockWaitObserverForTesting([&](const DataFile& waiting) {
        if (&waiting != &m_other)
            return;
        ++waits;
        (void)m_file.setRecordOrder(); // a fresh walk, so the reads never run out
        (void)m_file.next();
    });
    put(m_otherPerson, {9, "Erin", "NY", 1990});
    auto added = m_other.add();
    DataFile::setLockWaitObserverForTesting({});
    ASSERT_TRUE(added) << added.error().text();
    EXPECT_GE(waits, 1) << "the batch held the writer off at first";
    EXPECT_LT(waits, 100) << "the writer waited for about as long as its Recover time";
    EXPECT_EQ(recordsSeenByAnotherOpener(), 5);
    ASSERT_TRUE(m_file.setRecordOrder());
    EXPECT_TRUE(m_file.next()) << "the batch reads on after the writer";
}

// This opener's own writes in the middle of a batch are committed as they
// would be outside it, and the batch reads on after them.
struct OwnWriteCase {
    const char* name;
    std::function<void(DataFile&, PersonRecord&)> write;
    friend void PrintTo(const OwnWriteCase& c, std::ostream* os) { *os << c.name; }
};

class ReadBatchOwnWrite : public ReadBatchTest, public ::testing::WithParamInterface<OwnWriteCase> {};

TEST_P(ReadBatchOwnWrite, IsCommittedAtOnce)
{
    ReadBatch batch(m_file);
    ASSERT_TRUE(m_file.next());
    GetParam().write(m_file, m_person);
    EXPECT_EQ(recordsSeenByAnotherOpener(), 5) << "another opener sees the new record before the batch ends";
    EXPECT_TRUE(m_file.next());
    ASSERT_TRUE(m_other.open());
    EXPECT_FALSE(m_other.lock()) << "the batch holds its read lock again after the write";
}

namespace {

void addErin(DataFile& file, PersonRecord& r)
{
    put(r, {9, "Erin", "NY", 1990});
    auto added = file.add();
    ASSERT_TRUE(added) << added.error().text();
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Writes, ReadBatchOwnWrite,
                         ::testing::Values(OwnWriteCase{"AnAdd", addErin},
                                           OwnWriteCase{"ATransaction",
                                                        [](DataFile& file, PersonRecord& r) {
                                                            ASSERT_TRUE(file.beginTransaction());
                                                            addErin(file, r);
                                                            ASSERT_TRUE(file.commit());
                                                        }},
                                           OwnWriteCase{"ALock",
                                                        [](DataFile& file, PersonRecord& r) {
                                                            ASSERT_TRUE(file.lock());
                                                            addErin(file, r);
                                                            file.unlock();
                                                        }}),
                         [](const auto& info) { return std::string(info.param.name); });
