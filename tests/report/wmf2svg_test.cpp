// An outside reader judges the pages: libwmf's wmf2svg must accept every page
// the report writes and show the texts printed on it.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <fstream>
#include <sstream>

#include "framework/core/date_time.h"
#include "framework/report/report.h"
#include "tests/support/report_folder.h"
#include "tests/report/test_layouts.h"
#include "tests/support/temp_folder.h"

extern char** environ;

using namespace fw::report;
using fw::core::Binding;
using fw::core::Text;

namespace {

const char* const Wmf2svg = "/usr/bin/wmf2svg";

struct Conversion {
    int status = -1;
    std::string svg;
    std::string errors; // what the reader reported about the file
};

// Runs wmf2svg on a page with its error reports switched on.
Conversion convert(const std::string& page, const std::string& svg)
{
    const std::string errors = svg + ".errors";
    std::vector<std::string> args{Wmf2svg, "--wmf-error=yes", "-o", svg, page};
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    Conversion c;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, Wmf2svg, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (spawned != 0 || waitpid(pid, &status, 0) != pid)
        return c;
    c.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    c.svg = test_support::readFile(svg);
    c.errors = test_support::readFile(errors);
    return c;
}

class Wmf2svgReadsPages : public ReportFolderTest {};

TEST_F(Wmf2svgReadsPages, OfTheCustomersReportWithTheirTexts)
{
    ASSERT_TRUE(std::filesystem::exists(Wmf2svg)) << "install libwmf-bin";
    Text<20> NAME, SUBURB, PHONE;
    std::int32_t FIRSTDATE = 0, FIRSTTIME = 0;
    Text<100> EMAIL;
    Text<200> WEBSITE;
    auto created = Report::create(testlayouts::customers,
                                  {Binding::of(NAME), Binding::of(FIRSTDATE), Binding::of(FIRSTTIME),
                                   Binding::of(SUBURB), Binding::of(PHONE), Binding::of(EMAIL), Binding::of(WEBSITE)});
    ASSERT_TRUE(created.has_value());
    Report& report = **created;
    ASSERT_TRUE(report.open().has_value());
    for (int i = 1; i <= 16; ++i) {
        NAME = "Customer" + std::to_string(i);
        FIRSTDATE = fw::core::dateSerial(2026, 3, i);
        FIRSTTIME = fw::core::timeValue(9, i);
        SUBURB = "Glebe";
        PHONE = "0295550101";
        EMAIL = "c" + std::to_string(i) + "@example.com";
        WEBSITE = "www.example.com";
        ASSERT_TRUE(report.printDetail().has_value());
    }
    ASSERT_TRUE(report.endPage().has_value());
    ASSERT_EQ(report.pageQueue().count(), 2u);

    struct Row {
        std::size_t page;
        std::vector<std::string> texts;
    };
    const Row rows[] = {
        {1, {"For Customer", "Name", "First Date", "Web Site", "Customer1<", "Customer15<", "03/03/26", "09:03",
             "c7@example.com", "0295550101", "Glebe", "Page    1<",
             "fill:teal"}}, // 0x00808000 read as blue and green: the title's colour
        {2, {"For Customer", "Suburb", "Customer16<", "16/03/26", "09:16", "Page    2<"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("page " + std::to_string(row.page));
        const std::string page = report.pageQueue().fetch(row.page)->PRINTPREVIEWIMAGE.clipped();
        const Conversion c = convert(page, root() + "/page" + std::to_string(row.page) + ".svg");
        // libwmf loads its fonts from fonts-urw-base35, which it only recommends;
        // without them wmf2svg fails on every page ("failed to load *any* font!").
        ASSERT_EQ(c.status, 0) << c.errors << "(wmf2svg needs the fonts of fonts-urw-base35)";
        EXPECT_EQ(c.errors, "");
        for (const std::string& text : row.texts)
            EXPECT_NE(c.svg.find(text), std::string::npos) << text;
    }
}

} // namespace
