#include "tests/vextrel/vextrel_folder.h"

#include "cmdmailer/demo_job/demo_pages.h"
#include "framework/core/text.h"
#include "goods/goods_file.h"

void VextrelFolderTest::writeGoods(int records)
{
    using namespace goods;
    ASSERT_TRUE(GOODS.create());
    ASSERT_TRUE(GOODS.open());
    ASSERT_TRUE(GOODS.beginTransaction());
    for (int n = 1; n <= records; ++n) {
        GOD.CUSID = n;
        GOD.GOODS = "Item " + fw::core::toText(n);
        ASSERT_TRUE(GOODS.add());
    }
    ASSERT_TRUE(GOODS.commit());
    GOODS.close();
    GOODS.clearBuffer();
}

std::vector<std::filesystem::path> VextrelFolderTest::writePages(std::uint8_t job, int pages, const std::string& folder)
{
    std::filesystem::create_directories(folder);
    const auto made = vextrel::makeDemoPages(job, pages, folder);
    EXPECT_TRUE(made) << (made ? "" : made.error().text());
    std::vector<std::filesystem::path> files;
    for (int page = 1; page <= pages; ++page)
        files.push_back(std::filesystem::absolute(folder) / (fw::core::toText(job) + fw::core::toText(page) + ".wmf"));
    return files;
}

std::vector<std::string> VextrelFolderTest::fileNames(const std::filesystem::path& folder)
{
    return test_support::fileNames(folder);
}

std::string VextrelFolderTest::hex(std::string_view bytes)
{
    constexpr char digits[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out += digits[b >> 4];
        out += digits[b & 0x0F];
    }
    return out;
}
