#include <gtest/gtest.h>

#include "framework/core/error_codes.h"
#include "framework/data/view.h"
#include "tests/support/people_file.h"
#include "tests/support/temp_folder.h"

using namespace fw::data;
using test_support::createPeople;
using test_support::kPeople;
using test_support::peopleLayout;
using test_support::PersonRecord;
namespace Code = fw::core::ErrorCode;

namespace {

class ViewTest : public test_support::TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        createPeople(m_file, m_person, kPeople);
    }
    void TearDown() override
    {
        View::setFilterCompiler({});
        TempFolderTest::TearDown();
    }

    std::vector<std::string> readAll(View& view, PersonRecord* into = nullptr)
    {
        std::vector<std::string> names;
        for (;;) {
            auto r = view.next(into);
            if (!r) {
                EXPECT_EQ(r.error().code, Code::NoFurtherRecord) << r.error().text();
                return names;
            }
            names.push_back((into ? into : &m_person)->NAME.clipped());
        }
    }

    PersonRecord m_person;
    DataFile m_file{peopleLayout(), &m_person};
};

TEST_F(ViewTest, ReadsInKeyOrderOrRecordOrder)
{
    View view(m_file);
    view.setOrder(m_file.key(0));
    ASSERT_TRUE(view.setFilter(""));
    ASSERT_TRUE(view.open());
    EXPECT_EQ(view.recordCount(), 4u);
    EXPECT_EQ(readAll(view), (std::vector<std::string>{"Alice", "Bob", "carol", "dave"}));
    view.close();

    view.setRecordOrder();
    ASSERT_TRUE(view.open());
    EXPECT_EQ(readAll(view), (std::vector<std::string>{"carol", "Alice", "dave", "Bob"}));
    EXPECT_EQ(m_file.bytes(), 21);
}

TEST_F(ViewTest, TwoViewsAndTheFileKeepTheirOwnPlaces)
{
    View byName(m_file);
    byName.setOrder(m_file.key(0));
    View byYear(m_file);
    byYear.setOrder(m_file.key(1));
    ASSERT_TRUE(byName.open());
    ASSERT_TRUE(byYear.open());
    ASSERT_TRUE(m_file.setRecordOrder());
    PersonRecord mine;
    std::vector<std::string> interleaved;
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(byName.next(&mine));
        interleaved.push_back(mine.NAME.clipped());
        ASSERT_TRUE(byYear.next(&mine));
        interleaved.push_back(mine.NAME.clipped());
        ASSERT_TRUE(m_file.next());
        interleaved.push_back(m_person.NAME.clipped());
    }
    EXPECT_EQ(interleaved, (std::vector<std::string>{"Alice", "Bob", "carol", "Bob", "carol", "Alice"}));
}

TEST_F(ViewTest, ReadingIntoAnotherBufferLeavesTheFilesBufferAlone)
{
    m_person.NAME = "untouched";
    View view(m_file);
    ASSERT_TRUE(view.open());
    PersonRecord mine;
    EXPECT_EQ(readAll(view, &mine).size(), 4u);
    EXPECT_EQ(m_person.NAME.clipped(), "untouched");
}

TEST_F(ViewTest, AFilterNeedsAnEvaluator)
{
    View view(m_file);
    auto r = view.setFilter("PEO:YEAR = 1990");
    ASSERT_FALSE(r);
    EXPECT_EQ(r.error().code, Code::ExpressionError);
    EXPECT_TRUE(view.filter().empty());
}

TEST_F(ViewTest, AFilterLetsOnlyItsRecordsThrough)
{
    View::setFilterCompiler([](std::string_view text, const DataFile&) -> fw::core::Expected<RecordFilter> {
        EXPECT_EQ(text, "born in 1990");
        return RecordFilter([](const void* record) { return static_cast<const PersonRecord*>(record)->YEAR == 1990; });
    });
    View view(m_file);
    view.setOrder(m_file.key(0));
    ASSERT_TRUE(view.setFilter("born in 1990  "));
    ASSERT_TRUE(view.open());
    EXPECT_EQ(readAll(view), (std::vector<std::string>{"carol", "dave"}));
}

TEST_F(ViewTest, AClosedViewOrFileReadsNothing)
{
    View view(m_file);
    EXPECT_EQ(view.next().error().code, Code::FileNotOpen);
    m_file.close();
    EXPECT_EQ(view.open().error().code, Code::FileNotOpen);
}

} // namespace
