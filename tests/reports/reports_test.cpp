// The five report procedures over the demonstration data and small
// fixtures: order, pages as their layouts give them, pictures, empty files,
// Cancel, runs at once, and the mail of mode Email Preview.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "demo/dictionary/records.h"
#include "demo/hooks/mail_settings.h"
#include "demo/reports/report_layouts.h"
#include "demo/reports/report_procedures.h"
#include "demo/sample_data/sample_files.h"
#include "demo/sample_data/sample_records.h"
#include "framework/app/message_table.h"
#include "framework/core/date_time.h"
#include "framework/core/picture.h"
#include "framework/core/thread_values.h"
#include "framework/ui/window.h"
#include "tests/reports/reports_fixture.h"
#include "tests/support/shown_text.h"

namespace {

using namespace zorvane;
using test_support::expectShown;
using test_support::ReadPage;
using test_support::ReadText;
using test_support::ShownText;
using zorvane::ReportId;

std::string moduleKeyOf(ReportId report) { return std::string(zorvane::reportDefinition(report).moduleKey); }

// The values of `field` in the order `key` reads the file (record order
// when empty), through `picture`: what the report's column must show.
template <class Record>
std::vector<std::string> column(fw::data::DataFile& file, Record& buffer, std::string_view key, std::string_view field,
                                std::string_view picture)
{
    std::vector<std::string> values;
    EXPECT_TRUE(file.open().has_value());
    if (key.empty())
        EXPECT_TRUE(file.setRecordOrder().has_value());
    else
        EXPECT_TRUE(file.setKeyOrder(*file.keyNamed(key)).has_value());
    const auto bindings = fieldBindings(buffer);
    while (file.next()) {
        for (const auto& b : bindings)
            if (b.name == field) {
                const std::string shown = b.binding.isNumber()
                                              ? fw::core::formatPicture(picture, b.binding.number())
                                              : fw::core::formatPicture(picture, std::string_view(b.binding.text()));
                values.emplace_back(fw::core::clip(shown));
            }
    }
    file.close();
    return values;
}

// The texts of a field of the detail band, page after page: at `x`, `y`
// below the top of every band.
std::vector<std::string> printedColumn(const std::vector<ReadPage>& pages, int x, int y, int top, int bandHeight)
{
    std::vector<std::string> values;
    for (const ReadPage& page : pages)
        for (const ReadText& t : page.texts)
            if (t.x == x && t.y >= top && t.y < 9000 && (t.y - top - y) % bandHeight == 0)
                values.push_back(t.text);
    return values;
}

struct OrderCase {
    const char* name;
    ReportId report;
    std::function<std::vector<std::string>()> expected;
    int x;         // the column on the page
    int y;         // the field's place in its band
    int detailTop; // where the detail area starts
    int bandHeight;
    int perPage; // detail bands a page holds
    const char* title;
    friend void PrintTo(const OrderCase& c, std::ostream* os) { *os << c.name; }
};

class ReportOrder : public ReportsTest, public ::testing::WithParamInterface<OrderCase> {};

TEST_P(ReportOrder, PrintsEveryRecordInItsOrderWithHeaderAndFooterOnEveryPage)
{
    const OrderCase& c = GetParam();
    ASSERT_EQ(zorvane::writeSampleRecords(), "");
    const std::vector<std::string> expected = c.expected();
    ASSERT_FALSE(expected.empty());

    EXPECT_EQ(runOnOwnThread(c.report), 1);
    const std::vector<ReadPage> pages = pagesOfJob(57);
    const std::size_t pageCount = (expected.size() + c.perPage - 1) / c.perPage;
    ASSERT_EQ(pages.size(), pageCount);
    EXPECT_EQ(printedColumn(pages, c.x, c.y, c.detailTop, c.bandHeight), expected);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE("page " + std::to_string(i + 1));
        EXPECT_EQ(pages[i].fault, "");
        EXPECT_NE(pages[i].findText(c.title), nullptr);
        char footer[32];
        std::snprintf(footer, sizeof footer, "Page %4zu", i + 1);
        EXPECT_NE(pages[i].findText(footer), nullptr);
    }
    EXPECT_TRUE(capture.messages.empty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    DemonstrationData, ReportOrder,
    ::testing::Values(
        OrderCase{"CustomersByName", ReportId::Customers,
                  [] { return column(CUSTOMER, CUS, "CUS:ByName", "CUS:NAME", "s20"); }, 2552, 31, 1719, 458,
                  15, "For Customer"},
        OrderCase{"StudentsByLastName", ReportId::Students,
                  [] { return column(STUDENTS, STU, "STU:KEYLASTNAME", "STU:LASTNAME", "S20"); }, 4052, 52, 1896,
                  635, 11,
                  "Print Students"},
        OrderCase{"TeachersByLastName", ReportId::Teachers,
                  [] { return column(TEACHERS, TEA, "TEA:KEYLASTNAME", "TEA:LASTNAME", "S20"); }, 4052, 52, 1719,
                  458, 15,
                  "For Teachers"},
        OrderCase{"ClassesInRecordOrder", ReportId::Classes,
                  [] { return column(CLASSES, CLA, "", "CLA:CLASSNUMBER", "P##-#####P"); }, 1052, 52,
                  1542, 281, 26,
                  "Print Classes"},
        OrderCase{"CustomersEmbedByName", ReportId::CustomersEmbed,
                  [] { return column(CUSTOMER, CUS, "CUS:ByName", "CUS:NAME", "s20"); }, 2552, 31, 1719, 458,
                  15, "For Customer"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// One record on one page, checked against the layout tables: where the
// title, headings, fields and page number stand, in which font and colour.
struct PageCase {
    const char* name;
    ReportId report;
    std::function<void()> fill; // writes the file's one record
    std::vector<ShownText> shown;
    std::vector<int> blankColumns; // x positions where the detail band prints nothing
    std::uint32_t boxColor;
    int boxBottom;
    int lines; // separators of header and detail, and the bottom line
    int texts;
    friend void PrintTo(const PageCase& c, std::ostream* os) { *os << c.name; }
};

template <class Record>
void writeOne(fw::data::DataFile& file, Record& buffer, const Record& record)
{
    ASSERT_TRUE(file.create().has_value());
    ASSERT_TRUE(file.open().has_value());
    buffer = record;
    ASSERT_TRUE(file.add().has_value());
    file.close();
    buffer = Record{};
}

CustomerRecord customer(std::int32_t date, std::int32_t time)
{
    CustomerRecord r;
    r.CUSID = 1;
    r.NAME = "Amberfield Books";
    r.FIRSTDATE = date;
    r.FIRSTTIME = time;
    r.SUBURB = "Northgate";
    r.PHONE = "(02) 5550 1234";
    r.EMAIL = "books@example.com";
    r.WEBSITE = "https://www.example.com";
    return r;
}

class ReportPage : public ReportsTest, public ::testing::WithParamInterface<PageCase> {};

TEST_P(ReportPage, OneRecordAsTheLayoutPlacesIt)
{
    const PageCase& c = GetParam();
    c.fill();
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(runOnOwnThread(c.report), 1);
    const std::vector<ReadPage> pages = pagesOfJob(57);
    ASSERT_EQ(pages.size(), 1u);
    const ReadPage& p = pages[0];
    ASSERT_EQ(p.fault, "");
    for (const ShownText& e : c.shown)
        ASSERT_NO_FATAL_FAILURE(expectShown(p, e));
    for (int x : c.blankColumns)
        for (const ReadText& t : p.texts)
            EXPECT_FALSE(t.x == x && t.y > 1700) << "\"" << t.text << "\" printed at x " << x;
    ASSERT_EQ(p.boxes.size(), 1u);
    EXPECT_EQ(p.boxes[0].color, c.boxColor);
    EXPECT_EQ(p.boxes[0].left, 1000);
    EXPECT_EQ(p.boxes[0].top, 1260);
    EXPECT_EQ(p.boxes[0].bottom, c.boxBottom);
    EXPECT_EQ(static_cast<int>(p.lines.size()), c.lines);
    EXPECT_EQ(static_cast<int>(p.texts.size()), c.texts);
}

constexpr std::uint32_t Cyan = 0xffff00;

INSTANTIATE_TEST_SUITE_P(
    Fixtures, ReportPage,
    ::testing::Values(
        PageCase{"Customers",
                 ReportId::Customers,
                 [] {
                     writeOne(CUSTOMER, CUS, customer(fw::core::dateSerial(2019, 3, 14), fw::core::timeValue(9, 15)));
                 },
                 {{"For Customer", 1000, 802, "Century Gothic", -361, 700, false, 0x808000},
                  {"Name", 2552, 1313, "Century Gothic", -167, 700, false, 0},
                  {"First Date", 4031, 1313, "Century Gothic", -167, 700, false, 0},
                  {"Web Site", 4865, 1490, "Century Gothic", -167, 700, false, 0},
                  {"Amberfield Books", 2552, 1750, "Century Gothic", -167, 700, false, 0},
                  {"14/03/19", 3927, 1729, "Century Gothic", -167, 700, false, 0},
                  {"books@example.com", 4865, 1740, "Century Gothic", -167, 700, false, 0},
                  {"Northgate", 1052, 1990, "Century Gothic", -167, 700, false, 0},
                  {"(02) 5550 1234", 2552, 1990, "Century Gothic", -167, 700, false, 0},
                  {"09:15", 3938, 1969, "Century Gothic", -167, 700, false, 0},
                  {"https://www.example.com", 4865, 1979, "Century Gothic", -167, 700, false, 0},
                  {"Page    1", 6250, 9031, "Arial", -111, 400, false, 0}},
                 {},
                 0x808000,
                 1718,
                 7,
                 16},
        PageCase{"ZeroFirstDateAndTimePrintBlank",
                 ReportId::Customers,
                 [] { writeOne(CUSTOMER, CUS, customer(0, 0)); },
                 {{"Amberfield Books", 2552, 1750, "Century Gothic", -167, 700, false, 0}},
                 {3927, 3938},
                 0x808000,
                 1718,
                 7,
                 14},
        PageCase{"CustomersEmbedColors",
                 ReportId::CustomersEmbed,
                 [] {
                     writeOne(CUSTOMER, CUS, customer(fw::core::dateSerial(2019, 3, 14), fw::core::timeValue(9, 15)));
                 },
                 {{"For Customer", 1000, 802, "Century Gothic", -361, 700, false, 0x008000},
                  {"Amberfield Books", 2552, 1750, "Century Gothic", -167, 700, false, 0}},
                 {},
                 0x00ff00,
                 1718,
                 7,
                 16},
        PageCase{"Students",
                 ReportId::Students,
                 [] {
                     StudentRecord r;
                     r.NUMBER = 123456789;
                     r.FIRSTNAME = "Ava";
                     r.LASTNAME = "Marlowe";
                     r.ADDRESS = "12 Quarry Road";
                     r.ADDRESS2 = "Unit 3";
                     r.CITY = "Elmsford";
                     r.STATE = "NS";
                     r.ZIP = 2041;
                     r.TELEPHONE = "02 5550 1234";
                     r.MAJOR = 3;
                     r.GRADYEAR = 2027;
                     writeOne(STUDENTS, STU, r);
                 },
                 {{"Print Students", 1000, 948, "Comic Sans MS", -222, 700, false, 0},
                  {"Grad Year", 2552, 1667, "Comic Sans MS", -153, 700, false, 0},
                  {"123-45-6789", 1052, 1948, "Comic Sans MS", -153, 700, false, 0},
                  {"Ava", 2552, 1948, "Comic Sans MS", -153, 700, false, 0},
                  {"Marlowe", 4052, 1948, "Comic Sans MS", -153, 700, false, 0},
                  {"12 Quarry Road", 5552, 1948, "Comic Sans MS", -153, 700, false, 0},
                  {"Unit 3", 1052, 2125, "Comic Sans MS", -153, 700, false, 0},
                  {"Elmsford", 2552, 2125, "Comic Sans MS", -153, 700, false, 0},
                  {"NS", 4052, 2125, "Comic Sans MS", -153, 700, false, 0},
                  {"02041", 5552, 2125, "Comic Sans MS", -153, 700, false, 0},
                  {"02 5550 1234", 1052, 2302, "Comic Sans MS", -153, 700, false, 0},
                  {"2027", 2552, 2302, "Comic Sans MS", -153, 700, false, 0},
                  {"Page    1", 6250, 9031, "Arial", -111, 400, false, 0}},
                 {},
                 0xff80ff,
                 1895,
                 7,
                 22},
        PageCase{"Teachers",
                 ReportId::Teachers,
                 [] {
                     TeacherRecord r;
                     r.NUMBER = 987654321;
                     r.FIRSTNAME = "Hana";
                     r.LASTNAME = "Okafor";
                     r.ADDRESS = "4 Tern Street";
                     r.CITY = "Bramley";
                     r.STATE = "VA";
                     r.ZIP = 501;
                     r.TELEPHONE = "03 5550 9876";
                     r.DEPARTMENT = 2;
                     writeOne(TEACHERS, TEA, r);
                 },
                 {{"For Teachers", 1000, 833, "Sylfaen", -333, 700, false, 0xff00ff},
                  {"Telephone", 5552, 1490, "Sylfaen", -153, 700, false, Cyan},
                  {"987-65-4321", 1052, 1771, "Sylfaen", -153, 700, false, Cyan},
                  {"Okafor", 4052, 1771, "Sylfaen", -153, 700, false, Cyan},
                  {"Bramley", 1052, 1948, "Sylfaen", -153, 700, false, Cyan},
                  {"VA", 2552, 1948, "Sylfaen", -153, 700, false, Cyan},
                  {"00501", 4052, 1948, "Sylfaen", -153, 700, false, Cyan},
                  {"03 5550 9876", 5552, 1948, "Sylfaen", -153, 700, false, Cyan},
                  {"Page    1", 6250, 9031, "Arial", -111, 400, false, Cyan}},
                 {},
                 0xff80ff,
                 1718,
                 7,
                 18},
        PageCase{"Classes",
                 ReportId::Classes,
                 [] {
                     ClassRecord r;
                     r.CLASSNUMBER = 1234567;
                     r.COURSENUMBER = 7;
                     r.TEACHERNUMBER = 3;
                     r.ROOMNUMBER = 12;
                     r.SCHEDULEDTIME = "Mon 09:00";
                     writeOne(CLASSES, CLA, r);
                 },
                 {{"Print Classes", 1000, 885, "Arial", -333, 700, true, Cyan},
                  {"Class Number", 1052, 1313, "Arial", -167, 700, false, Cyan},
                  {"Scheduled Time", 5052, 1313, "Arial", -167, 700, false, Cyan},
                  {"12-34567", 1052, 1594, "Times New Roman", -194, 700, false, Cyan},
                  {"  12", 3052, 1594, "Times New Roman", -194, 700, false, Cyan},
                  {"Mon 09:00", 5052, 1594, "Times New Roman", -194, 700, false, Cyan},
                  {"Page    1", 6250, 9031, "Arial", -111, 400, false, Cyan}},
                 {},
                 0xff8000,
                 1541,
                 5,
                 8}),
    [](const auto& info) { return std::string(info.param.name); });

// A file without records: the progress window opens and closes, nothing is
// printed or mailed, the response is 2. CUSTOMER is not created when it is
// missing: its open fails and says so.
struct EmptyCase {
    const char* name;
    ReportId report;
    std::size_t messages;
    friend void PrintTo(const EmptyCase& c, std::ostream* os) { *os << c.name; }
};

class ReportEmpty : public ReportsTest, public ::testing::WithParamInterface<EmptyCase> {};

TEST_P(ReportEmpty, WindowOpensAndClosesAndNothingIsPrintedOrMailed)
{
    const EmptyCase& c = GetParam();
    engine::BMKG.Mode = 1; // a completed run would mail
    std::uint8_t response = 0;
    bool done = false;
    const auto thread = fw::threads::start(
        [&] {
            zorvane::reportProcedure(c.report)();
            response = fw::core::threadValues().response;
            done = true;
        },
        zorvane::ReportStackSize);
    EXPECT_NE(fw::ui::drive::waitForWindow(zorvane::ProgressWindowLabel, moduleKeyOf(c.report)), nullptr)
        << "the progress window opens";
    ASSERT_TRUE(fw::ui::drive::waitFor([&] { return done; }));
    fw::threads::waitForThread(thread);

    EXPECT_EQ(response, 2);
    EXPECT_EQ(fw::ui::drive::findWindow(zorvane::ProgressWindowLabel, moduleKeyOf(c.report)), nullptr) << "and closes";
    EXPECT_TRUE(filesIn(m_folder / "KR").empty());
    EXPECT_TRUE(filesIn(m_folder / "drafts").empty());
    ASSERT_EQ(capture.messages.size(), c.messages);
    if (c.messages == 1) {
        EXPECT_EQ(capture.messages[0].caption, fw::app::messageEntry(fw::app::Msg::OpenFailed).caption);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, ReportEmpty,
                         ::testing::Values(EmptyCase{"StudentsCreatedEmpty", ReportId::Students, 0},
                                           EmptyCase{"TeachersCreatedEmpty", ReportId::Teachers, 0},
                                           EmptyCase{"ClassesCreatedEmpty", ReportId::Classes, 0},
                                           EmptyCase{"CustomersMissing", ReportId::Customers, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

// Cancel pressed while the run prints: nothing is previewed, printed or
// mailed, and the run reads no further than the batch it was in.
TEST_F(ReportsTest, CancelInTheMiddleShowsPrintsAndMailsNothing)
{
    ASSERT_EQ(zorvane::writeSampleRecords(), "");
    ASSERT_EQ(zorvane::writeSampleFiles(), "");
    engine::BMKG.Mode = 1;
    bool paused = false, resume = false;
    std::int64_t lastRecord = 0;
    zorvane::setRecordObserverForTesting([&](std::string_view, std::int64_t record) {
        lastRecord = record;
        if (record == 3) {
            paused = true;
            fw::threads::waitUntil([&] { return resume; });
        }
    });
    std::uint8_t response = 0;
    bool done = false;
    const auto thread = fw::threads::start(
        [&] {
            zorvane::TarvenCustomers();
            response = fw::core::threadValues().response;
            done = true;
        },
        zorvane::ReportStackSize);
    ASSERT_TRUE(fw::ui::drive::waitFor([&] { return paused; }));
    fw::ui::Window* window = fw::ui::drive::findWindow(zorvane::ProgressWindowLabel, moduleKeyOf(ReportId::Customers));
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(fw::ui::drive::waitUntilShown(*window));
    fw::ui::drive::clickButton(*window, zorvane::ProgressControl::Cancel);
    resume = true;
    ASSERT_TRUE(fw::ui::drive::waitFor([&] { return done; }));
    fw::threads::waitForThread(thread);

    EXPECT_EQ(response, 2);
    EXPECT_LT(lastRecord, 32) << "the run stopped before the end of the file";
    EXPECT_TRUE(filesIn(m_folder / "KR").empty());
    EXPECT_TRUE(filesIn(m_folder / "drafts").empty());
}

// The embed variant as the frame calls it: on the caller's own thread,
// which waits until the run has ended and then finds the response in its
// own global response.
TEST_F(ReportsTest, EmbedVariantRunsOnTheCallersThread)
{
    ASSERT_EQ(zorvane::writeSampleRecords(), "");
    std::uint8_t response = 0;
    fw::core::threadValues().response = 0;
    EXPECT_EQ(zorvane::startReport(ReportId::CustomersEmbed, zorvane::ReportThread::Caller, &response),
              fw::threads::mainThread);
    EXPECT_EQ(response, 1);
    EXPECT_EQ(fw::core::threadValues().response, 1);
    EXPECT_EQ(pagesOfJob(57).size(), 3u);
    fw::core::threadValues() = {};
}

// Two runs at once, of one report or of two, each with its own progress
// window, objects and record buffer: both complete and print every record.
struct TwoRunsCase {
    const char* name;
    ReportId first;
    ReportId second;
    friend void PrintTo(const TwoRunsCase& c, std::ostream* os) { *os << c.name; }
};

class ReportTwoRuns : public ReportsTest, public ::testing::WithParamInterface<TwoRunsCase> {};

TEST_P(ReportTwoRuns, RunAtOnceWithoutDisturbingEachOther)
{
    const TwoRunsCase& c = GetParam();
    ASSERT_EQ(zorvane::writeSampleRecords(), "");
    m_jobs = {57, 58};
    CUS = CustomerRecord{};
    int pausedRuns = 0;
    bool release = false;
    zorvane::setRecordObserverForTesting([&](std::string_view, std::int64_t record) {
        if (record == 2) {
            ++pausedRuns;
            fw::threads::waitUntil([&] { return release; });
        }
    });
    std::uint8_t first = 0, second = 0;
    zorvane::startReport(c.first, zorvane::ReportThread::Own, &first);
    zorvane::startReport(c.second, zorvane::ReportThread::Own, &second);
    ASSERT_TRUE(fw::ui::drive::waitFor([&] { return pausedRuns == 2; }));
    int progressWindows = 0;
    for (fw::ui::Window* w : fw::ui::openWindows())
        if (w->layout().label == zorvane::ProgressWindowLabel)
            ++progressWindows;
    EXPECT_EQ(progressWindows, 2) << "each run has its own progress window";
    release = true;
    ASSERT_TRUE(fw::ui::drive::waitFor([&] { return first != 0 && second != 0; }));
    ASSERT_TRUE(fw::ui::drive::waitFor([&] { return fw::threads::aliveThreads().size() == 1; }));

    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 1);
    const std::vector<ReadPage> firstPages = pagesOfJob(57);
    const std::vector<ReadPage> secondPages = pagesOfJob(58);
    ASSERT_FALSE(firstPages.empty());
    ASSERT_FALSE(secondPages.empty());
    // Every record is on the pages of its own run: the detail texts of a
    // run over the same file are the same, whatever the other run read.
    if (c.first == c.second) {
        ASSERT_EQ(firstPages.size(), secondPages.size());
        for (std::size_t i = 0; i < firstPages.size(); ++i)
            EXPECT_EQ(firstPages[i].textStrings(), secondPages[i].textStrings()) << "page " << i + 1;
    }
    EXPECT_EQ(CUS.NAME.clipped(), "") << "the file's own record buffer is left alone";
    EXPECT_EQ(CUS.CUSID, 0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Runs, ReportTwoRuns,
                         ::testing::Values(TwoRunsCase{"SameReportTwice", ReportId::Customers, ReportId::Customers},
                                           TwoRunsCase{"EmbedBesideCustomers", ReportId::Customers,
                                                       ReportId::CustomersEmbed},
                                           TwoRunsCase{"StudentsAndTeachers", ReportId::Students,
                                                       ReportId::Teachers}),
                         [](const auto& info) { return std::string(info.param.name); });
// clang-format on

} // namespace

namespace {

// Mode Email Preview: every report ends in one complete draft, with the
// recipients, subject and importance of its own mail settings and its RTF
// document attached.
struct DraftCase {
    const char* name;
    ReportId report;
    ReportId mail;
    const char* importance; // the draft's header, or nullptr for normal importance
    friend void PrintTo(const DraftCase& c, std::ostream* os) { *os << c.name; }
};

class ReportDraft : public ReportsTest, public ::testing::WithParamInterface<DraftCase> {};

std::vector<std::string> headerLines(const std::string& draft)
{
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < draft.size()) {
        const std::size_t end = draft.find('\n', at);
        std::string line = draft.substr(at, end == std::string::npos ? std::string::npos : end - at);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            break;
        if ((line[0] == ' ' || line[0] == '\t') && !lines.empty())
            lines.back() += " " + std::string(fw::core::trimLeft(line)); // a folded header
        else
            lines.push_back(line);
        if (end == std::string::npos)
            break;
        at = end + 1;
    }
    return lines;
}

TEST_P(ReportDraft, EmailPreviewGivesOneCompleteDraftWithTheReportsSettings)
{
    const DraftCase& c = GetParam();
    ASSERT_EQ(zorvane::writeSampleRecords(), "");
    ASSERT_EQ(zorvane::writeSampleFiles(), "");
    engine::BMKG.Mode = 1;
    EXPECT_EQ(runOnOwnThread(c.report), 1);

    const std::vector<std::string> drafts = filesIn(m_folder / "drafts");
    ASSERT_EQ(drafts.size(), 1u);
    std::ifstream in(m_folder / "drafts" / drafts[0], std::ios::binary);
    const std::string draft((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::vector<std::string> headers = headerLines(draft);
    auto has = [&](const std::string& line) { return std::ranges::find(headers, line) != headers.end(); };

    const zorvane::MailSettings& settings = zorvane::reportMailSettings(c.mail);
    ASSERT_FALSE(headers.empty());
    EXPECT_EQ(headers[0], "X-Unsent: 1");
    EXPECT_TRUE(has("To: " + std::string(fw::core::clip(zorvane::passedText(settings.to)))));
    EXPECT_TRUE(has("Subject: " + std::string(fw::core::clip(zorvane::passedText(settings.subject)))));
    if (c.importance) {
        EXPECT_TRUE(has(c.importance));
    } else {
        EXPECT_FALSE(has("Importance: high"));
        EXPECT_FALSE(has("Importance: low"));
    }
    EXPECT_NE(draft.find("Content-Disposition: attachment; filename=Report.rtf"), std::string::npos)
        << "the RTF document is attached";
    EXPECT_NE(draft.find("--", draft.rfind("Content-Transfer-Encoding")), std::string::npos)
        << "the draft ends with its closing boundary";
    EXPECT_TRUE(capture.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Reports, ReportDraft,
    ::testing::Values(DraftCase{"Customers", ReportId::Customers, ReportId::Customers, nullptr},
                      DraftCase{"Students", ReportId::Students, ReportId::Students, "Importance: low"},
                      DraftCase{"Teachers", ReportId::Teachers, ReportId::Teachers, "Importance: low"},
                      DraftCase{"Classes", ReportId::Classes, ReportId::Classes, "Importance: high"},
                      DraftCase{"CustomersEmbed", ReportId::CustomersEmbed, ReportId::CustomersEmbed,
                                "Importance: high"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
