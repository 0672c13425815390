#include "demo/sample_data/sample_records.h"

#include <array>
#include <cctype>
#include <string_view>

#include "demo/dictionary/records.h"
#include "framework/core/date_time.h"
#include "framework/core/text.h"
#include "goods/goods_file.h"

namespace zorvane {

namespace {

using fw::core::toText;
using goods::GOD;
using goods::GOODS;

// Invented customers: name, suburb, and when they first came (year, month,
// day, hour, minute; a zero year means no first date and no first time).
struct CustomerRow {
    std::string_view name;
    std::string_view suburb;
    int year, month, day, hour, minute;
};

// clang-format off
constexpr std::array<CustomerRow, 32> kCustomers{{
    {"Amberfield Books", "Northgate", 2019, 3, 14, 9, 15},
    {"Brightwater Cafe", "Eastbrook", 2020, 7, 2, 10, 40},
    {"Copperleaf Design", "Hillcrest", 2018, 11, 23, 14, 5},
    {"Dunmore Hardware", "Riverside", 2021, 1, 9, 8, 30},
    {"Elmstead Florists", "Westmere", 2017, 5, 30, 16, 45},
    {"Fairlane Motors", "Northgate", 2022, 2, 17, 11, 20},
    {"Glenrock Dental", "Southport", 2016, 9, 5, 13, 0},
    {"Harbourview Deli", "Eastbrook", 2023, 4, 21, 7, 55},
    {"Ironbark Joinery", "Hillcrest", 2019, 12, 1, 15, 10},
    {"Juniper Yoga", "Riverside", 2020, 10, 12, 18, 25},
    {"Kestrel Printing", "Westmere", 2018, 6, 18, 9, 50},
    {"Lakeside Pharmacy", "Southport", 2021, 8, 27, 12, 35},
    {"Millbrook Bakery", "Northgate", 2015, 3, 3, 6, 5},
    {"Northwind Travel", "Eastbrook", 2022, 11, 8, 10, 0},
    {"Oakhurst Vets", "Hillcrest", 2017, 1, 26, 17, 15},
    {"Pinecrest Plumbing", "Riverside", 2023, 9, 14, 8, 10},
    {"Quayside Seafood", "Westmere", 2016, 4, 19, 11, 45},
    {"Redgum Landscapes", "Southport", 2019, 7, 7, 14, 30},
    {"Silverbirch Optics", "Northgate", 2020, 2, 29, 9, 0},
    {"Tallowood Timber", "Eastbrook", 0, 0, 0, 0, 0},
    {"Upland Cycles", "Hillcrest", 2021, 5, 16, 16, 20},
    {"Valley Music", "Riverside", 2018, 10, 31, 19, 5},
    {"Wattle Tree Toys", "Westmere", 2022, 6, 24, 10, 55},
    {"Yarrow Tea House", "Southport", 2017, 12, 12, 15, 40},
    {"Zephyr Kites", "Northgate", 2023, 1, 4, 13, 25},
    {"Ashgrove Tailors", "Eastbrook", 2015, 8, 20, 12, 0},
    {"Bluegum Pottery", "Hillcrest", 0, 0, 0, 0, 0},
    {"Cedar Lane Books", "Riverside", 2019, 4, 11, 8, 45},
    {"Driftwood Surf", "Westmere", 2020, 12, 24, 17, 50},
    {"Evergreen Nursery", "Southport", 2021, 3, 8, 7, 30},
    {"Foxglove Studio", "Northgate", 2022, 9, 2, 11, 5},
    {"Greenway Grocers", "Eastbrook", 2016, 7, 15, 18, 0},
}};
// clang-format on

constexpr std::array<std::string_view, 3> kDomains{"example.com", "example.org", "example.net"};

// Invented students: first name, last name, street, suburb line, city, state,
// zip, major, graduation year.
struct StudentRow {
    std::string_view first, last, address, address2, city, state;
    int zip, major, gradYear;
};

constexpr std::array<StudentRow, 20> kStudents{{
    {"Ava", "Marlowe", "12 Quarry Road", "Unit 3", "Elmsford", "NS", 2041, 1, 2027},
    {"Ben", "Okafor", "4 Tern Street", "", "Elmsford", "NS", 2041, 2, 2026},
    {"Chloe", "Lindqvist", "88 Ridge Avenue", "", "Bramley", "VA", 3122, 3, 2027},
    {"Dev", "Raman", "7 Cove Lane", "Flat 2", "Bramley", "VA", 3122, 1, 2025},
    {"Ella", "Fontaine", "31 Orchard Way", "", "Corrin", "QL", 4065, 4, 2028},
    {"Finn", "Marlowe", "12 Quarry Road", "Unit 3", "Elmsford", "NS", 2041, 2, 2027},
    {"Grace", "Nakamura", "55 Heath Road", "", "Corrin", "QL", 4065, 3, 2026},
    {"Hugo", "Brandt", "9 Willow Court", "", "Dunley", "WA", 6011, 1, 2028},
    {"Isla", "Okafor", "4 Tern Street", "", "Elmsford", "NS", 2041, 4, 2025},
    {"Jack", "Petrov", "210 High Street", "Level 1", "Dunley", "WA", 6011, 2, 2027},
    {"Kira", "Abernethy", "17 Moss Street", "", "Bramley", "VA", 3122, 3, 2028},
    {"Liam", "Castellano", "3 Bay Parade", "", "Corrin", "QL", 4065, 1, 2026},
    {"Maya", "Lindqvist", "88 Ridge Avenue", "", "Bramley", "VA", 3122, 4, 2027},
    {"Noah", "Delacroix", "61 Fern Grove", "", "Elmsford", "NS", 2041, 2, 2025},
    {"Olive", "Haddad", "14 Kiln Lane", "Rear", "Dunley", "WA", 6011, 3, 2028},
    {"Pablo", "Brandt", "9 Willow Court", "", "Dunley", "WA", 6011, 1, 2026},
    {"Quinn", "Sorensen", "40 Canal Street", "", "Corrin", "QL", 4065, 4, 2027},
    {"Ruby", "Abernethy", "17 Moss Street", "", "Bramley", "VA", 3122, 2, 2025},
    {"Sami", "Varga", "2 Lookout Drive", "", "Elmsford", "NS", 2041, 3, 2028},
    {"Tess", "Winslow", "76 Mill Road", "", "Dunley", "WA", 6011, 1, 2026},
}};

struct TeacherRow {
    int number;
    std::string_view first, last, address, city, state;
    int zip, department;
};

constexpr std::array<TeacherRow, 6> kTeachers{{
    {101, "Helena", "Ashworth", "5 Chapel Street", "Elmsford", "NS", 2041, 1},
    {102, "Marcus", "Bellamy", "23 Dune Road", "Bramley", "VA", 3122, 2},
    {103, "Priya", "Chandran", "8 Lantern Way", "Corrin", "QL", 4065, 3},
    {104, "Oscar", "Delgado", "141 Park Lane", "Dunley", "WA", 6011, 4},
    {105, "Ingrid", "Ellery", "19 Salt Street", "Elmsford", "NS", 2041, 1},
    {106, "Tomas", "Fairbairn", "67 Gorge Road", "Bramley", "VA", 3122, 2},
}};

struct ClassRow {
    int classNumber, course, teacher, room;
    std::string_view time;
};

constexpr std::array<ClassRow, 12> kClasses{{
    {1200101, 1001, 101, 12, "Mon 09:00-10:30"},
    {1200102, 1001, 105, 14, "Wed 09:00-10:30"},
    {1200201, 1002, 102, 21, "Mon 11:00-12:30"},
    {1200301, 1003, 103, 33, "Tue 09:00-10:30"},
    {1200302, 1003, 103, 33, "Thu 09:00-10:30"},
    {1200401, 1004, 104, 41, "Tue 13:30-15:00"},
    {1200501, 1005, 106, 22, "Wed 13:30-15:00"},
    {1200601, 1006, 101, 12, "Thu 11:00-12:30"},
    {1200701, 1007, 102, 25, "Fri 09:00-10:30"},
    {1200801, 1008, 104, 43, "Fri 11:00-12:30"},
    {1200901, 1009, 105, 14, "Mon 13:30-15:00"},
    {1201001, 1010, 106, 27, "Tue 15:30-17:00"},
}};

constexpr std::array<std::string_view, 8> kGoods{"Desk lamp",    "Filing cabinet", "Paper A4 box", "Printer toner",
                                                 "Office chair", "Whiteboard",     "Stapler",      "Label maker"};

// "Amberfield Books" becomes "amberfield": the first word in lower case. The
// customers report prints the mail address and the web site at their full
// length from the middle of the page, so they are kept short enough to end
// inside it.
std::string mailName(std::string_view name)
{
    std::string out;
    for (char c : name.substr(0, name.find(' ')))
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string fill(fw::data::DataFile& file, const auto& rows, const auto& put)
{
    if (auto created = file.create(); !created)
        return created.error().text();
    if (auto opened = file.open(); !opened)
        return opened.error().text();
    if (auto begun = file.beginTransaction(); !begun)
        return begun.error().text();
    int index = 0;
    for (const auto& row : rows) {
        file.clearBuffer();
        put(row, index++);
        if (auto added = file.add(); !added) {
            file.rollback();
            file.close();
            return added.error().text();
        }
    }
    auto committed = file.commit();
    file.close();
    return committed ? std::string() : committed.error().text();
}

} // namespace

std::string writeSampleRecords()
{
    std::string failure = fill(CUSTOMER, kCustomers, [](const CustomerRow& r, int i) {
        CUS.CUSID = 1001 + i;
        CUS.NAME = r.name;
        CUS.FIRSTDATE = r.year ? fw::core::dateSerial(r.year, r.month, r.day) : fw::core::NoDate;
        CUS.FIRSTTIME = r.year ? fw::core::timeValue(r.hour, r.minute) : fw::core::NoTime;
        CUS.SUBURB = r.suburb;
        CUS.PHONE = "(555) 01" + std::string(i < 10 ? "0" : "") + toText(i) + "-" + toText(4000 + 37 * i);
        const std::string domain(kDomains[static_cast<std::size_t>(i) % kDomains.size()]);
        CUS.EMAIL = mailName(r.name) + "@" + domain;
        CUS.WEBSITE = "www." + mailName(r.name) + "." + domain;
    });
    if (failure.empty())
        failure = fill(STUDENTS, kStudents, [](const StudentRow& r, int i) {
            STU.NUMBER = 123450000 + 11 * (i + 1);
            STU.FIRSTNAME = r.first;
            STU.LASTNAME = r.last;
            STU.ADDRESS = r.address;
            STU.ADDRESS2 = r.address2;
            STU.CITY = r.city;
            STU.STATE = r.state;
            STU.ZIP = r.zip;
            STU.TELEPHONE = "555-02" + std::string(i < 10 ? "0" : "") + toText(i) + "-" + toText(10 + i);
            STU.MAJOR = r.major;
            STU.GRADYEAR = r.gradYear;
        });
    if (failure.empty())
        failure = fill(TEACHERS, kTeachers, [](const TeacherRow& r, int i) {
            TEA.NUMBER = r.number;
            TEA.FIRSTNAME = r.first;
            TEA.LASTNAME = r.last;
            TEA.ADDRESS = r.address;
            TEA.CITY = r.city;
            TEA.STATE = r.state;
            TEA.ZIP = r.zip;
            TEA.TELEPHONE = "555-0300-" + toText(10 + i);
            TEA.DEPARTMENT = r.department;
        });
    if (failure.empty())
        failure = fill(CLASSES, kClasses, [](const ClassRow& r, int) {
            CLA.CLASSNUMBER = r.classNumber;
            CLA.COURSENUMBER = r.course;
            CLA.TEACHERNUMBER = r.teacher;
            CLA.ROOMNUMBER = r.room;
            CLA.SCHEDULEDTIME = r.time;
        });
    if (failure.empty()) {
        // Three items of goods for each customer, in customer order.
        std::array<int, kCustomers.size() * 3> goodsRows{};
        for (std::size_t i = 0; i < goodsRows.size(); ++i)
            goodsRows[i] = static_cast<int>(i);
        failure = fill(GOODS, goodsRows, [](int n, int) {
            GOD.CUSID = 1001 + n / 3;
            GOD.GOODS = kGoods[static_cast<std::size_t>(n * 5 + n / 3) % kGoods.size()];
        });
    }
    return failure;
}

} // namespace zorvane
