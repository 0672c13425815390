#include <gtest/gtest.h>
#include <filesystem>
#include "demo/sample_data/sample_files.h"
#include "demo/sample_data/sample_records.h"
#include "tests/reports/reports_fixture.h"
TEST_F(ReportsTest, DISABLED_look)
{
    ASSERT_EQ(demo::sample_data::writeSampleRecords(), "");
    ASSERT_EQ(demo::sample_data::writeSampleFiles(), "");
    const char* out = std::getenv("LOOK_DIR");
    ASSERT_NE(out, nullptr);
    int job = 11;
    for (auto id : {zorvane::ReportId::Customers, zorvane::ReportId::Students, zorvane::ReportId::Teachers,
                    zorvane::ReportId::Classes, zorvane::ReportId::CustomersEmbed}) {
        m_jobs = {job};
        EXPECT_EQ(runOnOwnThread(id), 1);
        std::filesystem::create_directories(std::string(out) + "/" + std::to_string(job));
        for (auto& e : std::filesystem::directory_iterator(m_folder / "KR"))
            std::filesystem::rename(e.path(), std::string(out) + "/" + std::to_string(job) + "/" + e.path().filename().string());
        ++job;
    }
}
