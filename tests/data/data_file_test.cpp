#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "framework/core/error_codes.h"
#include "framework/data/data_file.h"
#include "tests/support/people_file.h"
#include "tests/support/temp_folder.h"

using namespace fw::data;
using test_support::createPeople;
using test_support::kPeople;
using test_support::namesReadBy;
using test_support::peopleLayout;
using test_support::Person;
using test_support::PersonRecord;
using test_support::put;
namespace Code = fw::core::ErrorCode;

namespace {

class DataFileTest : public test_support::TempFolderTest {
protected:
    PersonRecord m_person;
    DataFile m_file{peopleLayout(), &m_person};
};

TEST_F(DataFileTest, RecordSizeIsTheSumOfTheFieldWidths)
{
    EXPECT_EQ(m_file.recordSize(), 21u);
    EXPECT_GT(sizeof(PersonRecord), m_file.recordSize()); // the struct is padded; the record is not
}

TEST_F(DataFileTest, ANewFileIsEmpty)
{
    ASSERT_TRUE(m_file.create());
    EXPECT_TRUE(std::filesystem::exists("PEOPLE.sqlite"));
    ASSERT_TRUE(m_file.open());
    EXPECT_EQ(*m_file.records(), 0);
    EXPECT_EQ(m_file.bytes(), 0);
    ASSERT_TRUE(m_file.setRecordOrder());
    auto r = m_file.next();
    ASSERT_FALSE(r);
    EXPECT_EQ(r.error().code, Code::NoFurtherRecord);
}

struct OrderCase {
    const char* name;
    int key; // -1 record order
    std::vector<std::string> expected;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const OrderCase& row, std::ostream* os) { *os << row.name; }

class DataFileOrderTest : public DataFileTest, public ::testing::WithParamInterface<OrderCase> {};

TEST_P(DataFileOrderTest, ReadsInTheOrderAsked)
{
    createPeople(m_file, m_person, kPeople);
    const OrderCase& c = GetParam();
    ASSERT_TRUE(c.key < 0 ? m_file.setRecordOrder() : m_file.setKeyOrder(m_file.key(static_cast<std::size_t>(c.key))));
    EXPECT_EQ(namesReadBy(m_file, m_person), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, DataFileOrderTest,
    ::testing::Values(OrderCase{"RecordOrder", -1, {"carol", "Alice", "dave", "Bob"}},
                      OrderCase{"NameIgnoringCase", 0, {"Alice", "Bob", "carol", "dave"}},
                      OrderCase{"YearDescendingThenName", 1, {"Bob", "carol", "dave", "Alice"}},
                      OrderCase{"Number", 2, {"Alice", "Bob", "carol", "dave"}},
                      OrderCase{"CityWithCase", 3, {"dave", "carol", "Bob", "Alice"}},
                      OrderCase{"DynamicWithoutComponentsIsRecordOrder", 4, {"carol", "Alice", "dave", "Bob"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DataFileTest, DynamicKeyTakesItsOrderAtRunTime)
{
    createPeople(m_file, m_person, kPeople);
    m_file.setDynamicComponents(m_file.key(4), {{"PEO:YEAR"}, {"PEO:NAME", Order::Descending}});
    ASSERT_TRUE(m_file.setKeyOrder(m_file.key(4)));
    EXPECT_EQ(namesReadBy(m_file, m_person), (std::vector<std::string>{"Alice", "dave", "carol", "Bob"}));
}

TEST_F(DataFileTest, UniqueKeyRefusesTheSameValueInAnotherCase)
{
    createPeople(m_file, m_person, kPeople);
    put(m_person, {9, "ALICE", "SF", 1970});
    auto r = m_file.add();
    ASSERT_FALSE(r);
    EXPECT_EQ(r.error().code, Code::DuplicateKey);
    EXPECT_EQ(r.error().text(), "data file: PEOPLE: the record would duplicate key PEO:ByName");
    EXPECT_EQ(*m_file.records(), 4);
}

TEST_F(DataFileTest, KeyWithDuplicatesAcceptsThem)
{
    createPeople(m_file, m_person, kPeople);
    put(m_person, {9, "Erin", "NY", 1990});
    EXPECT_TRUE(m_file.add());
    EXPECT_EQ(*m_file.records(), 5);
}

TEST_F(DataFileTest, FetchFindsByKeyIgnoringCaseAndTrailingBlanks)
{
    createPeople(m_file, m_person, kPeople);
    m_person = PersonRecord{};
    m_person.NAME = "CAROL";
    ASSERT_TRUE(m_file.fetch(m_file.key(0)));
    EXPECT_EQ(m_person.ID, 3);
    EXPECT_EQ(m_person.NAME.str(), "carol     ");
    EXPECT_EQ(m_file.bytes(), 21);

    m_person.NAME = "nobody";
    auto r = m_file.fetch(m_file.key(0));
    ASSERT_FALSE(r);
    EXPECT_EQ(r.error().code, Code::RecordNotFound);
}

TEST_F(DataFileTest, ByteCountIsTheWholeFileAfterOpenAndOneRecordAfterARead)
{
    createPeople(m_file, m_person, kPeople);
    m_file.close();
    ASSERT_TRUE(m_file.open());
    EXPECT_EQ(m_file.bytes(), 84);
    ASSERT_TRUE(m_file.setRecordOrder());
    ASSERT_TRUE(m_file.next());
    EXPECT_EQ(m_file.bytes(), 21);
}

TEST_F(DataFileTest, ChangeAndRemoveWorkOnTheCurrentRecord)
{
    createPeople(m_file, m_person, kPeople);
    ASSERT_TRUE(m_file.setKeyOrder(m_file.key(2)));
    ASSERT_TRUE(m_file.next()); // Alice
    m_person.NAME = "bob";
    auto dup = m_file.change();
    ASSERT_FALSE(dup);
    EXPECT_EQ(dup.error().code, Code::DuplicateKey);
    m_person.NAME = "Alicia";
    ASSERT_TRUE(m_file.change());
    ASSERT_TRUE(m_file.next()); // Bob
    ASSERT_TRUE(m_file.remove());
    auto again = m_file.remove();
    ASSERT_FALSE(again);
    EXPECT_EQ(again.error().code, Code::RecordNotFound);
    ASSERT_TRUE(m_file.setKeyOrder(m_file.key(2)));
    EXPECT_EQ(namesReadBy(m_file, m_person), (std::vector<std::string>{"Alicia", "carol", "dave"}));
}

TEST_F(DataFileTest, PositionsFromTheBufferAndOverMatchingRecords)
{
    createPeople(m_file, m_person, kPeople);
    m_person.YEAR = 1990;
    m_person.NAME = "d";
    ASSERT_TRUE(m_file.setKeyOrderFromBuffer(m_file.key(1)));
    EXPECT_EQ(namesReadBy(m_file, m_person), (std::vector<std::string>{"dave", "Alice"}));

    m_person.CITY = "NY";
    const std::size_t city[] = {3};
    ASSERT_TRUE(m_file.setKeyOrderMatching(m_file.key(3), city));
    EXPECT_EQ(namesReadBy(m_file, m_person), (std::vector<std::string>{"carol", "Bob"}));
    // Under a key that ignores case, "ny" matches as well.
    ASSERT_TRUE(m_file.setKeyOrderMatching(m_file.key(0), city));
    EXPECT_EQ(namesReadBy(m_file, m_person), (std::vector<std::string>{"Alice", "Bob", "carol"}));
}

TEST_F(DataFileTest, SavedStateComesBackAfterALookUp)
{
    createPeople(m_file, m_person, kPeople);
    ASSERT_TRUE(m_file.setKeyOrder(m_file.key(0)));
    ASSERT_TRUE(m_file.next()); // Alice
    const DataFile::State saved = m_file.saveState();
    m_person.NAME = "dave";
    ASSERT_TRUE(m_file.fetch(m_file.key(0)));
    m_file.restoreState(saved);
    EXPECT_EQ(m_person.NAME.clipped(), "Alice");
    ASSERT_TRUE(m_file.next());
    EXPECT_EQ(m_person.NAME.clipped(), "Bob");
}

TEST_F(DataFileTest, RolledBackTransactionLeavesNothing)
{
    createPeople(m_file, m_person, kPeople);
    ASSERT_TRUE(m_file.beginTransaction());
    put(m_person, {9, "Erin", "NY", 1990});
    ASSERT_TRUE(m_file.add());
    m_file.rollback();
    EXPECT_EQ(*m_file.records(), 4);
}

TEST_F(DataFileTest, RefusedDiskWriteIsAnError)
{
    createPeople(m_file, m_person, kPeople);
    DataFile::setWriteFaultForTesting([](const DataFile&, WriteKind kind) { return kind == WriteKind::Add; });
    put(m_person, {9, "Erin", "NY", 1990});
    auto r = m_file.add();
    DataFile::setWriteFaultForTesting({});
    ASSERT_FALSE(r);
    EXPECT_EQ(r.error().code, Code::FileSystemError);
    EXPECT_EQ(*m_file.records(), 4);
}

struct CommandCase {
    const char* name;
    const char* command;
    std::string answer;
    int recover;
    bool quickScan;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const CommandCase& row, std::ostream* os) { *os << row.name; }

class DriverCommandTest : public DataFileTest, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(DriverCommandTest, AnswersThePreviousValue)
{
    const CommandCase& c = GetParam();
    EXPECT_EQ(m_file.sendCommand(c.command), c.answer);
    EXPECT_EQ(m_file.recoverSeconds(), c.recover);
    EXPECT_EQ(m_file.quickScan(), c.quickScan);
}

INSTANTIATE_TEST_SUITE_P(Commands, DriverCommandTest,
                         ::testing::Values(CommandCase{"Recover", "Recover=10", "0", 10, false},
                                           CommandCase{"RecoverInCapitals", "RECOVER=3", "0", 3, false},
                                           CommandCase{"QuickScanOn", "QUICKSCAN=on", "off", 0, true},
                                           CommandCase{"QuickScanOff", "QUICKSCAN=off", "off", 0, false},
                                           CommandCase{"Unknown", "FLUSH=now", "", 0, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DataFileTest, QuickScanStaysOnUntilSwitchedOff)
{
    m_file.sendCommand("QUICKSCAN=on");
    EXPECT_EQ(m_file.sendCommand("QUICKSCAN=off"), "on");
}

// Files that cannot be opened, each with the code the opener gets.
struct BadFileCase {
    const char* name;
    std::function<void()> make;
    int code;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const BadFileCase& row, std::ostream* os) { *os << row.name; }

void writeFile(const char* name, const std::string& bytes)
{
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out << bytes;
}

void runSql(const char* sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open("PEOPLE.sqlite", &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

void makeOurs()
{
    PersonRecord buffer;
    DataFile file(peopleLayout(), &buffer);
    createPeople(file, buffer, kPeople);
}

class BadFileTest : public DataFileTest, public ::testing::WithParamInterface<BadFileCase> {};

TEST_P(BadFileTest, IsRefusedWithItsCode)
{
    GetParam().make();
    auto r = m_file.open();
    ASSERT_FALSE(r);
    EXPECT_EQ(r.error().code, GetParam().code) << r.error().text();
    EXPECT_FALSE(m_file.isOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadFileTest,
    ::testing::Values(
        BadFileCase{"Missing", [] {}, Code::FileNotFound},
        BadFileCase{"TextFile", [] { writeFile("PEOPLE.sqlite", "name,city\nAlice,NY\n"); }, Code::InvalidDataFile},
        BadFileCase{"EmptyFile", [] { writeFile("PEOPLE.sqlite", ""); }, Code::InvalidDataFile},
        BadFileCase{"ForeignDatabase", [] { runSql("CREATE TABLE t(x)"); }, Code::InvalidDataFile},
        BadFileCase{"OtherLayout",
                    [] {
                        makeOurs();
                        runSql("UPDATE layout SET width = 11 WHERE number = 2");
                    },
                    Code::InvalidDataFile},
        BadFileCase{"DamagedHeader",
                    [] {
                        makeOurs();
                        std::fstream f("PEOPLE.sqlite", std::ios::in | std::ios::out | std::ios::binary);
                        f.seekp(0);
                        f << std::string(100, '\x5a');
                    },
                    Code::InvalidDataFile},
        BadFileCase{"CutShort",
                    [] {
                        makeOurs();
                        std::filesystem::resize_file("PEOPLE.sqlite", 1500);
                    },
                    Code::InvalidDataFile},
        BadFileCase{"ReadOnly",
                    [] {
                        makeOurs();
                        ::chmod("PEOPLE.sqlite", 0444);
                    },
                    Code::AccessDenied},
        BadFileCase{"MissingIndex",
                    [] {
                        makeOurs();
                        runSql("DROP INDEX \"PEO:ByYear\"");
                    },
                    Code::KeyNeedsRebuild},
        BadFileCase{"Folder", [] { std::filesystem::create_directory("PEOPLE.sqlite"); }, Code::InvalidDataFile}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DataFileTest, DamagedKeysAreRebuilt)
{
    makeOurs();
    runSql("DROP INDEX \"PEO:ByYear\"; CREATE INDEX \"PEO:ByYear\" ON records(\"PEO:NAME\")");
    ASSERT_EQ(m_file.open().error().code, Code::KeyNeedsRebuild);
    ASSERT_TRUE(m_file.rebuildKeys());
    ASSERT_TRUE(m_file.open());
    ASSERT_TRUE(m_file.setKeyOrder(m_file.key(1)));
    EXPECT_EQ(namesReadBy(m_file, m_person), (std::vector<std::string>{"Bob", "carol", "dave", "Alice"}));
}

TEST_F(DataFileTest, FileNameIsFoundWithoutRegardToCase)
{
    makeOurs();
    std::filesystem::rename("PEOPLE.sqlite", "people.SQLITE");
    ASSERT_TRUE(m_file.open());
    EXPECT_EQ(*m_file.records(), 4);
}

TEST_F(DataFileTest, LockedFileIsRefusedAtOnceWithoutRecover)
{
    makeOurs();
    PersonRecord other;
    DataFile holder(peopleLayout(), &other);
    ASSERT_TRUE(holder.open());
    ASSERT_TRUE(holder.lock());
    auto r = m_file.open();
    ASSERT_FALSE(r);
    EXPECT_EQ(r.error().code, Code::FileLocked);
}

TEST_F(DataFileTest, LockedFileIsRecoveredWithinTheRecoverTime)
{
    makeOurs();
    PersonRecord other;
    DataFile holder(peopleLayout(), &other);
    ASSERT_TRUE(holder.open());
    ASSERT_TRUE(holder.lock());
    int waits = 0;
    // The holder lets go while the opener waits for it.
    DataFile::setLockWaitObserverForTesting([&](const DataFile& waiting) {
        if (&waiting == &m_file && ++waits == 1)
            holder.unlock();
    });
    m_file.sendCommand("Recover=30");
    auto r = m_file.open();
    DataFile::setLockWaitObserverForTesting({});
    ASSERT_TRUE(r) << r.error().text();
    EXPECT_GE(waits, 1);
    EXPECT_EQ(*m_file.records(), 4);
}

} // namespace

namespace {

// Garbage over one page of a file with many records: opening and reading it
// through must end in an error code of the framework, never in a crash.
class DamagedPageTest : public test_support::TempFolderTest, public ::testing::WithParamInterface<int> {};

TEST_P(DamagedPageTest, ReadingADamagedFileEndsInAnError)
{
    {
        PersonRecord buffer;
        DataFile file(peopleLayout(), &buffer);
        std::vector<Person> many;
        for (int i = 0; i < 400; ++i)
            many.push_back({i, "name" + std::to_string(i), "NY", 1900 + i % 100});
        createPeople(file, buffer, many);
    }
    {
        std::fstream f("PEOPLE.sqlite", std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(static_cast<std::streamoff>(GetParam()) * 4096 + 16);
        f << std::string(3000, '\x5a');
    }
    PersonRecord person;
    DataFile file(peopleLayout(), &person);
    auto opened = file.open();
    if (!opened) {
        EXPECT_TRUE(opened.error().code == Code::InvalidDataFile || opened.error().code == Code::KeyNeedsRebuild)
            << opened.error().text();
        return;
    }
    for (int key = -1; key < 3; ++key) {
        auto set = key < 0 ? file.setRecordOrder() : file.setKeyOrder(file.key(static_cast<std::size_t>(key)));
        if (!set) {
            EXPECT_EQ(set.error().code, Code::InvalidDataFile) << set.error().text();
            continue;
        }
        for (;;) {
            auto r = file.next();
            if (!r) {
                EXPECT_TRUE(r.error().code == Code::NoFurtherRecord || r.error().code == Code::InvalidDataFile)
                    << r.error().text();
                break;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, DamagedPageTest, ::testing::Range(1, 9));

} // namespace
