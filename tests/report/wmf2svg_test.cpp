// An outside reader judges the pages: libwmf's wmf2svg must accept every page
// the report writes and show the texts printed on it, at the page's true
// scale. libwmf fits what a page draws to the picture, so a page that did not
// mark its full extent came out zoomed onto its content.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>

#include "framework/core/date_time.h"
#include "framework/report/report.h"
#include "tests/support/report_folder.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_layouts.h"

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

// A text of the picture: where its baseline starts and its font size, in
// the picture's pixels.
struct SvgText {
    double x = 0;
    double baseline = 0;
    double fontSize = 0;
};

// wmf2svg writes each text as <text ... style="...font-size:S; ..."
// transform="matrix(1 0 0 1 X Y)">TEXT</text>.
std::optional<SvgText> findSvgText(const std::string& svg, const std::string& text)
{
    const std::size_t end = svg.find(">" + text + "</text>");
    if (end == std::string::npos)
        return std::nullopt;
    const std::size_t start = svg.rfind("<text", end);
    const std::string element = svg.substr(start, end - start);
    SvgText t;
    double a = 0, b = 0, c = 0, d = 0;
    const std::size_t size = element.find("font-size:");
    const std::size_t matrix = element.find("matrix(");
    if (size == std::string::npos || matrix == std::string::npos ||
        std::sscanf(element.c_str() + size, "font-size:%lf", &t.fontSize) != 1)
        return std::nullopt;
    const char* transform = element.c_str() + matrix;
    if (std::sscanf(transform, "matrix(%lf %lf %lf %lf %lf %lf)", &a, &b, &c, &d, &t.x, &t.baseline) != 6)
        return std::nullopt;
    return t;
}

// The picture's size, from <svg width="W" height="H".
std::pair<int, int> svgSize(const std::string& svg)
{
    int width = 0, height = 0;
    const std::size_t at = svg.find("<svg width=");
    if (at != std::string::npos)
        std::sscanf(svg.c_str() + at, "<svg width=\"%d\" height=\"%d\"", &width, &height);
    return {width, height};
}

class Wmf2svgReadsPages : public test_support::ReportFolderTest {};

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
        EMAIL = std::string("c").append(std::to_string(i)).append("@example.com");
        WEBSITE = "www.example.com";
        ASSERT_TRUE(report.printDetail().has_value());
    }
    ASSERT_TRUE(report.endPage().has_value());
    ASSERT_EQ(report.pageQueue().count(), 2u);

    // A text where the layout puts it: its left edge and top on the page and
    // its character height, in thousandths of an inch.
    struct Placed {
        std::string text;
        int x;
        int top;
        int height;
    };
    struct Row {
        std::size_t page;
        std::vector<std::string> texts;
        std::vector<Placed> placed;
    };
    // clang-format off
    const Row rows[] = {
        {1,
         {"For Customer", "Name", "First Date", "Web Site", "Customer1<", "Customer15<", "03/03/26", "09:03",
          "c7@example.com", "0295550101", "Glebe", "Page    1<",
          "fill:teal"}, // 0x00808000 read as blue and green: the title's colour
         {{"For Customer", 1000, 1000 - 198, 361},   // 26 points
          {"Customer1", 1000 + 1552, 1719 + 31, 167}, // 12 points
          {"Page    1", 1000 + 5250, 9000 + 31, 111}}}, // 8 points
        {2, {"For Customer", "Suburb", "Customer16<", "16/03/26", "09:16", "Page    2<"},
         {{"Customer16", 1000 + 1552, 1719 + 31, 167}}},
    };
    // clang-format on
    // wmf2svg draws the page (8268 by 11693 thousandths of an inch, from
    // the placeable header) into its default bound of 768 by 512 pixels.
    const std::pair<int, int> pictureSize{362, 512};
    const double scale = 512.0 / 11693; // pixels per thousandth of an inch
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

        EXPECT_EQ(svgSize(c.svg), pictureSize);
        for (const Placed& placed : row.placed) {
            SCOPED_TRACE(placed.text);
            const std::optional<SvgText> t = findSvgText(c.svg, placed.text);
            ASSERT_TRUE(t.has_value());
            EXPECT_NEAR(t->x, placed.x * scale, 0.5);
            EXPECT_NEAR(t->fontSize, placed.height * scale, 0.2);
            EXPECT_GT(t->baseline, placed.top * scale) << "the baseline lies below the text's top";
            EXPECT_LT(t->baseline, (placed.top + placed.height) * scale + 0.5) << "and within its height";
        }
    }
}

} // namespace
