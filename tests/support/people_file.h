#pragma once
// A small data file for the driver's tests: every kind of key the driver
// offers, over a record whose struct is padded (a long after a text of 10).

#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/text.h"
#include "framework/data/data_file.h"

namespace test_support {

struct PersonRecord {
    std::int32_t ID = 0;
    fw::core::Text<10> NAME;
    fw::core::Text<3> CITY;
    std::int32_t YEAR = 0;
};

// Keys in order: 0 PEO:ByName (unique, case-insensitive), 1 PEO:ByYear (YEAR
// descending then NAME, duplicates), 2 PEO:ByID (unique, primary), 3
// PEO:ByCity (CITY, case-sensitive, duplicates), 4 PEO:Dyno (dynamic).
fw::data::FileLayout peopleLayout();

struct Person {
    std::int32_t id;
    std::string name;
    std::string city;
    std::int32_t year;
};

// Four people in no key's order, with a city that differs from another only
// in case and a year two of them share.
inline const std::vector<Person> kPeople{
    {3, "carol", "NY", 1990},
    {1, "Alice", "ny", 1985},
    {4, "dave", "LA", 1990},
    {2, "Bob", "NY", 2001},
};

void put(PersonRecord& r, const Person& p);
// Creates PEOPLE in the current folder, opens `file` on it and adds the rows.
void createPeople(fw::data::DataFile& file, PersonRecord& buffer, const std::vector<Person>& rows);
// The names of the records `file` reads next, up to the end.
std::vector<std::string> namesReadBy(fw::data::DataFile& file, PersonRecord& buffer);

} // namespace test_support
