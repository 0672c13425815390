#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

#include "framework/app/file_opener.h"
#include "goods/goods_file.h"
#include "tests/dictionary/dictionary_fixture.h"

using namespace zorvane;

namespace {

class SampleDataTest : public DictionaryTest {
protected:
    void SetUp() override
    {
        DictionaryTest::SetUp();
        const std::string command = std::string(MAKE_DEMO_FOLDER) + " demo";
        ASSERT_EQ(std::system(command.c_str()), 0);
        std::filesystem::current_path(m_folder / "demo");
    }
    void TearDown() override
    {
        std::filesystem::current_path(m_folder);
        DictionaryTest::TearDown();
    }
};

TEST_F(SampleDataTest, CustomersAreManyWithExampleAddresses)
{
    ASSERT_EQ(Relate_CUSTOMER->open(), 0);
    ASSERT_TRUE(CUSTOMER.setKeyOrder(CUS_ByName));
    int count = 0;
    int dated = 0;
    std::string previous;
    while (Access_CUSTOMER->tryNext() == 0) {
        ++count;
        const std::string email = CUS.EMAIL.clipped();
        EXPECT_TRUE(email.ends_with("@example.com") || email.ends_with("@example.org") ||
                    email.ends_with("@example.net"))
            << email;
        EXPECT_FALSE(CUS.WEBSITE.isBlank());
        dated += CUS.FIRSTDATE != 0 && CUS.FIRSTTIME != 0;
        EXPECT_LT(previous, CUS.NAME.clipped());
        previous = CUS.NAME.clipped();
    }
    EXPECT_GE(count, 30);
    EXPECT_GT(dated, 0);
    EXPECT_LT(dated, count); // some customers have no first date, which prints blank
    Relate_CUSTOMER->close();
    EXPECT_TRUE(m_capture.messages.empty());
}

TEST_F(SampleDataTest, EveryClassRefersToAnExistingTeacher)
{
    ASSERT_EQ(Relate_CLASSES->open(), 0);
    ASSERT_TRUE(CLASSES.setRecordOrder());
    int count = 0;
    while (Access_CLASSES->tryNext() == 0) {
        ++count;
        EXPECT_EQ(Access_CLASSES->validateField(3), 0) << CLA.CLASSNUMBER;
    }
    EXPECT_GT(count, 0);
    EXPECT_TRUE(m_capture.messages.empty());
    Relate_CLASSES->close();
}

TEST_F(SampleDataTest, StudentsAndGoodsAreThere)
{
    ASSERT_EQ(Access_STUDENTS->open(), 0);
    EXPECT_GT(*STUDENTS.records(), 0);
    Access_STUDENTS->close();
    ASSERT_TRUE(fw::app::openDataFile(goods::GOODS, "Goods"));
    EXPECT_GT(*goods::GOODS.records(), 0);
    EXPECT_EQ(goods::GOODS.recordSize(), 24u);
    goods::GOODS.close();
}

TEST_F(SampleDataTest, TheMailsSampleFilesAreThere)
{
    for (const char* name : {"Licence.doc", "Script.doc", "Note.doc", "Agenda.doc", "Minutes.doc", "Scandskw.exe",
                             "Winhelp.exe", "body_of_email.htm"}) {
        EXPECT_TRUE(std::filesystem::is_regular_file(name)) << name;
        EXPECT_GT(std::filesystem::file_size(name), 0u) << name;
    }
}

} // namespace
