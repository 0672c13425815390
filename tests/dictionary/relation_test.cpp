#include <gtest/gtest.h>

#include "framework/core/error_codes.h"
#include "tests/dictionary/dictionary_fixture.h"

using namespace zorvane;
using fw::data::DataFile;

namespace {

// Teachers 101 and 102; classes 1 and 2 of course 500 with teacher 101,
// class 3 with teacher 102.
class RelationTest : public DictionaryTest {
protected:
    void SetUp() override
    {
        DictionaryTest::SetUp();
        ASSERT_EQ(Relate_TEACHERS->open(), 0);
        ASSERT_EQ(Relate_CLASSES->open(), 0);
        for (int number : {101, 102}) {
            TEA = TeacherRecord{};
            TEA.NUMBER = number;
            TEA.LASTNAME = "Teacher" + fw::core::toText(number);
            ASSERT_EQ(Access_TEACHERS->insert(), 0);
        }
        for (auto [cls, course, teacher] : {std::tuple{1, 500, 101}, {2, 500, 101}, {3, 600, 102}}) {
            CLA = ClassRecord{};
            CLA.CLASSNUMBER = cls;
            CLA.COURSENUMBER = course;
            CLA.TEACHERNUMBER = teacher;
            ASSERT_EQ(Access_CLASSES->insert(), 0) << cls;
        }
        ASSERT_TRUE(m_capture.messages.empty());
    }
    void TearDown() override
    {
        DataFile::setWriteFaultForTesting({});
        Relate_CLASSES->close();
        Relate_TEACHERS->close();
        DictionaryTest::TearDown();
    }

    void fetchTeacher(int number)
    {
        TEA.NUMBER = number;
        ASSERT_EQ(Access_TEACHERS->tryFetch(TEA_KEYTEACHERNUMBER), 0) << number;
    }

    // "class:teacher" for every class in class order.
    std::vector<std::string> classes()
    {
        const DataFile::State saved = CLASSES.saveState();
        std::vector<std::string> out;
        EXPECT_TRUE(CLASSES.setKeyOrder(CLA_KEYCLASSNUMBER));
        while (CLASSES.next())
            out.push_back(fw::core::toText(CLA.CLASSNUMBER) + ":" + fw::core::toText(CLA.TEACHERNUMBER));
        CLASSES.restoreState(saved);
        return out;
    }

    std::vector<std::string> teachers()
    {
        const DataFile::State saved = TEACHERS.saveState();
        std::vector<std::string> out;
        EXPECT_TRUE(TEACHERS.setKeyOrder(TEA_KEYTEACHERNUMBER));
        while (TEACHERS.next())
            out.push_back(fw::core::toText(TEA.NUMBER));
        TEACHERS.restoreState(saved);
        return out;
    }
};

TEST_F(RelationTest, TwoClassesOfOneCourseAreAllowedButNotTwoOfOneNumber)
{
    CLA = ClassRecord{};
    CLA.CLASSNUMBER = 1;
    CLA.COURSENUMBER = 700;
    CLA.TEACHERNUMBER = 102;
    EXPECT_NE(Access_CLASSES->insert(), 0);
    EXPECT_EQ(classes(), (std::vector<std::string>{"1:101", "2:101", "3:102"}));
}

TEST_F(RelationTest, DeletingATeacherWithClassesIsRefused)
{
    fetchTeacher(101);
    EXPECT_NE(Relate_TEACHERS->deleteRecord(), 0);
    ASSERT_EQ(m_capture.messages.size(), 1u);
    EXPECT_EQ(m_capture.messages[0].caption, "Referential Integrity Delete Error");
    EXPECT_EQ(m_capture.messages[0].text,
              "This Teachers record cannot be deleted: records of the Classes file refer to it.");
    EXPECT_EQ(teachers(), (std::vector<std::string>{"101", "102"}));
    EXPECT_EQ(classes(), (std::vector<std::string>{"1:101", "2:101", "3:102"}));
    EXPECT_EQ(TEA.NUMBER, 101);
}

TEST_F(RelationTest, ATeacherWithoutClassesCanBeDeleted)
{
    TEA = TeacherRecord{};
    TEA.NUMBER = 103;
    ASSERT_EQ(Access_TEACHERS->insert(), 0);
    EXPECT_EQ(Relate_TEACHERS->deleteRecord(), 0);
    EXPECT_EQ(teachers(), (std::vector<std::string>{"101", "102"}));
    EXPECT_TRUE(m_capture.messages.empty());
}

TEST_F(RelationTest, ChangingATeachersNumberCarriesOverToTheClasses)
{
    fetchTeacher(101);
    TEA.NUMBER = 201;
    EXPECT_EQ(Relate_TEACHERS->update(), 0);
    EXPECT_TRUE(m_capture.messages.empty());
    EXPECT_EQ(teachers(), (std::vector<std::string>{"102", "201"}));
    EXPECT_EQ(classes(), (std::vector<std::string>{"1:201", "2:201", "3:102"}));
    EXPECT_EQ(TEA.NUMBER, 201);
}

TEST_F(RelationTest, AFailureHalfWayRollsBothFilesBack)
{
    fetchTeacher(101);
    int classChanges = 0;
    DataFile::setWriteFaultForTesting([&](const DataFile& file, fw::data::WriteKind kind) {
        return &file == &CLASSES && kind == fw::data::WriteKind::Change && ++classChanges == 2;
    });
    TEA.NUMBER = 201;
    EXPECT_NE(Relate_TEACHERS->update(), 0);
    DataFile::setWriteFaultForTesting({});
    ASSERT_EQ(m_capture.messages.size(), 1u);
    EXPECT_EQ(m_capture.messages[0].caption, "Record Update Error");
    EXPECT_EQ(teachers(), (std::vector<std::string>{"101", "102"}));
    EXPECT_EQ(classes(), (std::vector<std::string>{"1:101", "2:101", "3:102"}));
    EXPECT_EQ(TEA.NUMBER, 201); // the buffer keeps what the user typed
}

struct CheckCase {
    const char* name;
    int teacher;
    bool accepted;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const CheckCase& row, std::ostream* os) { *os << row.name; }

class FieldCheckTest : public RelationTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(FieldCheckTest, ClassesTeacherNumberMustNameATeacher)
{
    fetchTeacher(102);
    const std::vector<char> teacherBefore = TEACHERS.pack(&TEA);
    CLA.TEACHERNUMBER = GetParam().teacher;
    const int result = Access_CLASSES->validateField(3);
    EXPECT_EQ(result == 0, GetParam().accepted);
    EXPECT_EQ(TEACHERS.pack(&TEA), teacherBefore);
    if (GetParam().accepted) {
        EXPECT_TRUE(m_capture.messages.empty());
        return;
    }
    ASSERT_EQ(m_capture.messages.size(), 1u);
    EXPECT_EQ(m_capture.messages[0].caption, "Field contents error");
    EXPECT_EQ(m_capture.messages[0].text, "The value of Classes Teacher Number must be found in the Teachers file.");
}

INSTANTIATE_TEST_SUITE_P(Teachers, FieldCheckTest,
                         ::testing::Values(CheckCase{"Existing", 101, true}, CheckCase{"Missing", 999, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RelationTest, OtherFieldsOfClassesAreNotChecked)
{
    CLA.TEACHERNUMBER = 999;
    for (std::size_t n : {1u, 2u, 4u, 5u})
        EXPECT_EQ(Access_CLASSES->validateField(n), 0) << n;
    EXPECT_TRUE(m_capture.messages.empty());
}

TEST_F(RelationTest, AClassWithAMissingTeacherIsNotStored)
{
    CLA = ClassRecord{};
    CLA.CLASSNUMBER = 9;
    CLA.TEACHERNUMBER = 999;
    EXPECT_NE(Access_CLASSES->insert(), 0);
    EXPECT_EQ(classes(), (std::vector<std::string>{"1:101", "2:101", "3:102"}));
}

TEST_F(RelationTest, QuickScanReachesTheRelatedFile)
{
    Relate_TEACHERS->setQuickScan(fw::app::QuickScan::On, fw::app::Propagate::Yes);
    EXPECT_TRUE(TEACHERS.quickScan());
    EXPECT_TRUE(CLASSES.quickScan());
    Relate_TEACHERS->setQuickScan(fw::app::QuickScan::Off, fw::app::Propagate::Yes);
    EXPECT_FALSE(CLASSES.quickScan());
}

} // namespace
