#include "tests/support/people_file.h"

#include <gtest/gtest.h>

#include <cstddef>

#include "framework/core/error_codes.h"

using namespace fw::data;

namespace test_support {

FileLayout peopleLayout()
{
    // clang-format off
    return {"PEOPLE",
            {
                {"PEO:ID", offsetof(PersonRecord, ID), FieldType::Long, 4},
                {"PEO:NAME", offsetof(PersonRecord, NAME), FieldType::Text, 10},
                {"PEO:CITY", offsetof(PersonRecord, CITY), FieldType::Text, 3},
                {"PEO:YEAR", offsetof(PersonRecord, YEAR), FieldType::Long, 4},
            },
            {
                {"PEO:ByName", {{"PEO:NAME"}}, Duplicates::Refused, Primary::No, CaseRule::Insensitive, Dynamic::No},
                {"PEO:ByYear", {{"PEO:YEAR", Order::Descending}, {"PEO:NAME"}}, Duplicates::Allowed, Primary::No,
                 CaseRule::Insensitive, Dynamic::No},
                {"PEO:ByID", {{"PEO:ID"}}, Duplicates::Refused, Primary::Yes, CaseRule::Insensitive, Dynamic::No},
                {"PEO:ByCity", {{"PEO:CITY"}}, Duplicates::Allowed, Primary::No, CaseRule::Sensitive, Dynamic::No},
                {"PEO:Dyno", {}, Duplicates::Allowed, Primary::No, CaseRule::Insensitive, Dynamic::Yes},
            }};
    // clang-format on
}

void put(PersonRecord& r, const Person& p)
{
    r.ID = p.id;
    r.NAME = p.name;
    r.CITY = p.city;
    r.YEAR = p.year;
}

void createPeople(DataFile& file, PersonRecord& buffer, const std::vector<Person>& rows)
{
    ASSERT_TRUE(file.create());
    ASSERT_TRUE(file.open());
    ASSERT_TRUE(file.beginTransaction());
    for (const Person& p : rows) {
        put(buffer, p);
        auto added = file.add();
        ASSERT_TRUE(added) << added.error().text();
    }
    ASSERT_TRUE(file.commit());
}

std::vector<std::string> namesReadBy(DataFile& file, PersonRecord& buffer)
{
    std::vector<std::string> names;
    for (;;) {
        auto r = file.next();
        if (!r) {
            EXPECT_EQ(r.error().code, fw::core::ErrorCode::NoFurtherRecord) << r.error().text();
            break;
        }
        names.push_back(buffer.NAME.clipped());
    }
    return names;
}

} // namespace test_support
