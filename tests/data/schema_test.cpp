// A data file's schema as SQLite keeps it on disk. Opening compares the
// stored CREATE texts with the ones the program makes, byte for byte, so
// these texts are part of the file format: a change to them would make every
// file written before it unreadable (InvalidDataFile) or in need of new keys
// (KeyNeedsRebuild).

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

#include "framework/data/data_file.h"
#include "tests/support/people_file.h"
#include "tests/support/temp_folder.h"

using namespace fw::data;
using test_support::peopleLayout;
using test_support::PersonRecord;

namespace {

// The rows `sql` selects, each row's columns joined by "|".
std::vector<std::string> rowsOf(const char* path, const char* sql)
{
    std::vector<std::string> rows;
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open_v2(path, &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db, sql, -1, &st, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    while (st && sqlite3_step(st) == SQLITE_ROW) {
        std::string row;
        for (int i = 0; i < sqlite3_column_count(st); ++i) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
            row.append(i ? "|" : "").append(text ? text : "NULL");
        }
        rows.push_back(row);
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return rows;
}

class SchemaTest : public test_support::TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        ASSERT_TRUE(m_file.create());
    }

    PersonRecord m_person;
    DataFile m_file{peopleLayout(), &m_person};
};

TEST_F(SchemaTest, ANewFileCarriesTheApplicationIdAndFormatVersion)
{
    EXPECT_EQ(rowsOf("PEOPLE.sqlite", "PRAGMA application_id"), std::vector<std::string>{"1380795462"}); // "RMDF"
    EXPECT_EQ(rowsOf("PEOPLE.sqlite", "PRAGMA user_version"), std::vector<std::string>{"1"});
}

TEST_F(SchemaTest, TheLayoutTableHoldsEveryFieldInOrder)
{
    EXPECT_EQ(
        rowsOf("PEOPLE.sqlite", "SELECT number, name, type, width FROM layout ORDER BY number"),
        (std::vector<std::string>{"1|PEO:ID|LONG|4", "2|PEO:NAME|TEXT|10", "3|PEO:CITY|TEXT|3", "4|PEO:YEAR|LONG|4"}));
}

// One index per key that is not dynamic (PEO:Dyno has none): unique keys
// refuse duplicates, keys that ignore case compare their texts without it,
// descending components sort down; a case-sensitive key and a long field
// take SQLite's own comparison.
TEST_F(SchemaTest, TablesAndKeyIndexesAreStoredAsTheProgramWritesThem)
{
    EXPECT_EQ(
        rowsOf("PEOPLE.sqlite", "SELECT type, name, sql FROM sqlite_master ORDER BY name"),
        (std::vector<std::string>{
            R"(index|PEO:ByCity|CREATE INDEX "PEO:ByCity" ON records("PEO:CITY"))",
            R"(index|PEO:ByID|CREATE UNIQUE INDEX "PEO:ByID" ON records("PEO:ID"))",
            R"(index|PEO:ByName|CREATE UNIQUE INDEX "PEO:ByName" ON records("PEO:NAME" COLLATE NOCASE))",
            R"(index|PEO:ByYear|CREATE INDEX "PEO:ByYear" ON records("PEO:YEAR" DESC, "PEO:NAME" COLLATE NOCASE))",
            "table|layout|CREATE TABLE layout(number INTEGER PRIMARY KEY, name TEXT NOT NULL, type TEXT NOT "
            "NULL, width INTEGER NOT NULL)",
            R"(table|records|CREATE TABLE records(row INTEGER PRIMARY KEY, "PEO:ID" INTEGER NOT NULL, )"
            R"("PEO:NAME" TEXT NOT NULL, "PEO:CITY" TEXT NOT NULL, "PEO:YEAR" INTEGER NOT NULL))",
        }));
}

} // namespace
