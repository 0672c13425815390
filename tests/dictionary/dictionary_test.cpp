#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "goods/goods_file.h"
#include "tests/dictionary/dictionary_fixture.h"

using namespace zorvane;
using fw::data::DataFile;

namespace {

struct FileCase {
    const char* name;
    DataFile* file;
    fw::app::FileManager** access;
    fw::app::RelationManager** relate;
    std::size_t recordSize;
    std::size_t fields;
    const char* displayName;
    fw::app::CreateWhenMissing create;
    std::vector<std::pair<std::string, std::string>> keys; // name, description
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const FileCase& row, std::ostream* os) { *os << row.name; }

const std::vector<FileCase>& fileCases()
{
    using fw::app::CreateWhenMissing;
    // clang-format off
    static const std::vector<FileCase> cases{
        {"Customer", &CUSTOMER, &Access_CUSTOMER, &Relate_CUSTOMER, 372, 8, "Customer", CreateWhenMissing::No,
         {{"CUS:ByName", "CUS:ByName"},
          {"CUS:ByEmail", "CUS:ByEmail"},
          {"CUS:ByPhone", "CUS:ByPhone"},
          {"CUS:BySuburb", "CUS:BySuburb"},
          {"CUS:ByID", "CUS:ByID"}}},
        {"Students", &STUDENTS, &Access_STUDENTS, &Relate_STUDENTS, 130, 11, "Students", CreateWhenMissing::Yes,
         {{"STU:KEYSTUDENTNUMBER", "by Student Number"},
          {"STU:MAJORKEY", "by Major"},
          {"STU:KEYLASTNAME", "by Last Name"},
          {"STU:KEYGRADYEAR", "by Grad Year"},
          {"STU:DynoKey", "STU:DynoKey"}}},
        {"Teachers", &TEACHERS, &Access_TEACHERS, &Relate_TEACHERS, 106, 9, "Teachers", CreateWhenMissing::Yes,
         {{"TEA:KEYTEACHERNUMBER", "by Teacher Number"},
          {"TEA:KEYLASTNAME", "by Last Name"},
          {"TEA:KEYDEPARTMENT", "by Department"}}},
        {"Classes", &CLASSES, &Access_CLASSES, &Relate_CLASSES, 36, 5, "Classes", CreateWhenMissing::Yes,
         {{"CLA:KEYCLASSNUMBER", "by Class Number"},
          {"CLA:KEYCOURSENUMBER", "by Course Number"},
          {"CLA:KEYTEACHERNUMBER", "by Teacher Number"}}},
    };
    // clang-format on
    return cases;
}

class DictionaryFileTest : public DictionaryTest, public ::testing::WithParamInterface<FileCase> {};

TEST_P(DictionaryFileTest, IsDeclaredAsTheDictionarySays)
{
    const FileCase& c = GetParam();
    EXPECT_EQ(c.file->recordSize(), c.recordSize);
    EXPECT_EQ(c.file->fieldCount(), c.fields);
    ASSERT_NE(*c.access, nullptr);
    ASSERT_NE(*c.relate, nullptr);
    EXPECT_EQ(&(*c.relate)->files(), *c.access);
    EXPECT_EQ(&(*c.access)->file(), c.file);
    EXPECT_EQ((*c.access)->name(), c.displayName);
    EXPECT_EQ((*c.access)->create(), c.create);
    EXPECT_EQ((*c.access)->lockRecover(), 10);
    ASSERT_EQ(c.file->keyCount(), c.keys.size());
    EXPECT_EQ((*c.access)->registeredKeyCount(), c.keys.size());
    for (std::size_t i = 0; i < c.keys.size(); ++i) {
        EXPECT_EQ(c.file->key(i).name(), c.keys[i].first);
        EXPECT_EQ((*c.access)->keyDescription(c.file->key(i)), c.keys[i].second);
    }
}

TEST_P(DictionaryFileTest, KillDataFilesClearsTheReferences)
{
    KillDataFiles();
    EXPECT_EQ(*GetParam().access, nullptr);
    EXPECT_EQ(*GetParam().relate, nullptr);
    InitDataFiles(); // for the fixture's own release
}

INSTANTIATE_TEST_SUITE_P(Files, DictionaryFileTest, ::testing::ValuesIn(fileCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DictionaryTest, FirstRunCreatesThreeFilesAndCustomerFails)
{
    for (fw::app::FileManager* files : {Access_STUDENTS, Access_TEACHERS, Access_CLASSES}) {
        EXPECT_EQ(files->open(), 0) << files->name();
        EXPECT_EQ(*files->file().records(), 0);
        files->close();
    }
    EXPECT_TRUE(m_capture.messages.empty());
    EXPECT_NE(Relate_CUSTOMER->open(), 0);
    EXPECT_FALSE(std::filesystem::exists("CUSTOMER.sqlite"));
    ASSERT_EQ(m_capture.messages.size(), 1u);
    EXPECT_EQ(m_capture.messages[0].caption, "File Open Error");
    EXPECT_EQ(m_capture.messages[0].text, "Error: (File not found) attempting to open the Customer file.|data file: "
                                          "CUSTOMER: opening: CUSTOMER.sqlite does not exist");
    for (const char* name : {"STUDENTS.sqlite", "TEACHERS.sqlite", "CLASSES.sqlite"})
        EXPECT_TRUE(std::filesystem::exists(name)) << name;
}

TEST_F(DictionaryTest, GradYearKeyGivesTheLatestYearFirstThenLastAndFirstName)
{
    ASSERT_EQ(Relate_STUDENTS->open(), 0);
    struct Row {
        int number, year;
        const char* last;
        const char* first;
    };
    for (const Row& r : {Row{1, 2025, "Young", "Amy"}, Row{2, 2027, "brown", "Zed"}, Row{3, 2027, "Brown", "Al"},
                         Row{4, 2026, "Adams", "Kim"}, Row{5, 2027, "Able", "Sue"}}) {
        STU = StudentRecord{};
        STU.NUMBER = r.number;
        STU.GRADYEAR = r.year;
        STU.LASTNAME = r.last;
        STU.FIRSTNAME = r.first;
        ASSERT_EQ(Access_STUDENTS->insert(), 0);
    }
    ASSERT_TRUE(STUDENTS.setKeyOrder(STU_KEYGRADYEAR));
    std::vector<std::string> order;
    while (Access_STUDENTS->tryNext() == 0)
        order.push_back(fw::core::toText(STU.GRADYEAR) + " " + STU.LASTNAME.clipped() + " " + STU.FIRSTNAME.clipped());
    EXPECT_EQ(order, (std::vector<std::string>{"2027 Able Sue", "2027 Brown Al", "2027 brown Zed", "2026 Adams Kim",
                                               "2025 Young Amy"}));
    Relate_STUDENTS->close();
}

TEST_F(DictionaryTest, ByNameRefusesASecondCustomerOfTheSameNameInAnotherCase)
{
    ASSERT_TRUE(CUSTOMER.create());
    ASSERT_EQ(Relate_CUSTOMER->open(), 0);
    CUS = CustomerRecord{};
    CUS.CUSID = 1;
    CUS.NAME = "Northwind";
    ASSERT_EQ(Access_CUSTOMER->insert(), 0);
    CUS.CUSID = 2;
    CUS.NAME = "NORTHWIND";
    EXPECT_NE(Access_CUSTOMER->insert(), 0);
    EXPECT_EQ(*CUSTOMER.records(), 1);
    ASSERT_EQ(m_capture.messages.size(), 1u);
    EXPECT_EQ(m_capture.messages[0].text, "The record would duplicate the key CUS:ByName of the Customer file.");
    Relate_CUSTOMER->close();
}

} // namespace

namespace {

// The field bindings and the driver's field table describe the same bytes of
// the same buffer, field by field.
struct BindingCase {
    const char* name;
    DataFile* file;
    std::function<std::vector<fw::data::FieldBinding>()> bindings;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const BindingCase& row, std::ostream* os) { *os << row.name; }

class FieldBindingTest : public ::testing::TestWithParam<BindingCase> {};

TEST_P(FieldBindingTest, MatchesTheFieldTable)
{
    const DataFile& file = *GetParam().file;
    const auto bindings = GetParam().bindings();
    ASSERT_EQ(bindings.size(), file.fieldCount());
    for (std::size_t n = 1; n <= file.fieldCount(); ++n) {
        const fw::data::FieldSpec& f = file.field(n);
        const fw::data::FieldBinding& b = bindings[n - 1];
        EXPECT_EQ(b.name, f.name);
        EXPECT_EQ(b.binding.width(), f.width) << f.name;
        EXPECT_EQ(b.binding.isNumber(), f.type == fw::data::FieldType::Long) << f.name;
        EXPECT_EQ(b.binding.address(), static_cast<const char*>(file.buffer()) + f.offset) << f.name;
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Files, FieldBindingTest,
    ::testing::Values(BindingCase{"Customer", &CUSTOMER, [] { return fieldBindings(CUS); }},
                      BindingCase{"Students", &STUDENTS, [] { return fieldBindings(STU); }},
                      BindingCase{"Teachers", &TEACHERS, [] { return fieldBindings(TEA); }},
                      BindingCase{"Classes", &CLASSES, [] { return fieldBindings(CLA); }},
                      BindingCase{"Goods", &goods::GOODS,
                                  [] { return goods::fieldBindings(goods::GOD); }}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

} // namespace
