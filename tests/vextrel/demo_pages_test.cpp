// The page files of the demonstration job: one placeable metafile per page,
// named as the builder looks for them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cmdmailer/demo_job/demo_pages.h"
#include "tests/vextrel/vextrel_folder.h"

namespace {

using DemoPages = VextrelFolderTest;

TEST_F(DemoPages, EveryPageIsAPlaceableMetafileNamedAfterJobAndPage)
{
    const auto made = vextrel::makeDemoPages(44, 3, "KR\\");
    ASSERT_FALSE(made.has_value()) << "the folder must exist";

    std::filesystem::create_directory(at("KR"));
    const auto pages = vextrel::makeDemoPages(44, 3, "KR\\");
    ASSERT_TRUE(pages.has_value()) << pages.error().text();
    EXPECT_EQ(*pages, 3);
    EXPECT_EQ(fileNames(at("KR")), (std::vector<std::string>{"441.wmf", "442.wmf", "443.wmf"}));
    for (const std::string& name : fileNames(at("KR")))
        EXPECT_EQ(contents(at("KR/" + name)).substr(0, 4), "\xD7\xCD\xC6\x9A") << name;
    EXPECT_NE(contents(at("KR/441.wmf")), contents(at("KR/442.wmf"))) << "each page shows its own lines";
}

TEST_F(DemoPages, AJobHasOneTo255Pages)
{
    for (const int count : {0, -1, 256}) {
        const auto pages = vextrel::makeDemoPages(12, count, ".");
        ASSERT_FALSE(pages.has_value()) << count;
        EXPECT_EQ(pages.error().text(), "Demonstration job: a job has 1 to 255 pages, not " + std::to_string(count));
    }
    EXPECT_EQ(fileNames(m_folder), std::vector<std::string>{});
}

} // namespace
