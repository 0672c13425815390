// The goods report run in the test program, on the real window system
// (offscreen): what it prints, what its progress shows and what it leaves.

#include <gtest/gtest.h>

#include <QTimer>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cmdmailer/goods_report/bound_names.h"
#include "cmdmailer/goods_report/goods_report.h"
#include "cmdmailer/goods_report/goods_report_layouts.h"
#include "engine/global_data.h"
#include "framework/app/message_presenter.h"
#include "framework/core/thread_values.h"
#include "framework/fs/path.h"
#include "framework/ui/qt/application.h"
#include "framework/ui/window.h"
#include "goods/goods_file.h"
#include "tests/vextrel/vextrel_folder.h"

namespace {

namespace fs = std::filesystem;
using namespace vextrel;
using goods::GOODS;
using goods::GOODSUseCount;

class WindowSystem : public ::testing::Environment {
public:
    void SetUp() override
    {
        fw::ui::startWindowSystem();
        registerGoodsReportLayouts();
    }
};
const ::testing::Environment* const windowSystem = ::testing::AddGlobalTestEnvironment(new WindowSystem);

// What one run showed and left.
struct Observed {
    std::vector<std::string> printedCustomers; // GOD:CUSID as each band was printed
    std::vector<std::string> progress;         // every refresh of the percentage text
    std::vector<fs::path> pages;               // the page files just before the report closed
    bool pagesExisted = true;
    fs::path pageFolder;
};

class GoodsReportTest : public VextrelFolderTest {
protected:
    void SetUp() override
    {
        VextrelFolderTest::SetUp();
        engine::BMKG.WorkFolder.clear();
        engine::BMKG.Mode = 2;
        engine::OAQ.append({"left from before"});
        engine::OBQ.append({"left from before"});
        m_before = 5;
        boundNames().bindField("BeforeTheRun", fw::core::Binding::of(m_before));
    }
    void TearDown() override
    {
        setGoodsReportProbeForTesting({});
        boundNames().restoreScope({});
        engine::BMKG.WorkFolder.clear();
        engine::BMKG.Mode = 0;
        VextrelFolderTest::TearDown();
    }

    // Runs the report with a probe, under a watchdog that fails the test and
    // closes the progress window instead of letting the run hang.
    Observed run(std::function<void(Observed&)> onBand = {})
    {
        Observed seen;
        GoodsReportProbe probe;
        probe.bandPrinted = [&seen, onBand] {
            seen.printedCustomers.push_back(boundNames().evaluate("GOD:CUSID").value_or(""));
            if (onBand)
                onBand(seen);
        };
        probe.progressShown = [&seen](std::string_view text) { seen.progress.emplace_back(text); };
        probe.beforeClose = [&seen](fw::report::Report& report) {
            seen.pageFolder = report.folder();
            for (const fw::report::PageEntry& page : report.pageQueue()) {
                seen.pages.emplace_back(std::string(page.PRINTPREVIEWIMAGE.clippedView()));
                seen.pagesExisted = seen.pagesExisted && fs::exists(seen.pages.back());
            }
        };
        setGoodsReportProbeForTesting(probe);

        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] {
            ADD_FAILURE() << "watchdog: the goods report did not end";
            for (fw::ui::Window* window : fw::ui::openWindows())
                window->post(fw::ui::Event::CloseWindow);
        });
        watchdog.start(60000);

        fw::core::threadValues().request = 7;
        fw::core::threadValues().response = 9;
        GoodsReport();
        setGoodsReportProbeForTesting({});
        return seen;
    }

    // What every run leaves, whatever it printed.
    void expectTheEndOfTheRun(const Observed& seen)
    {
        EXPECT_EQ(engine::BMKG.WorkFolder.clipped(), fw::fs::currentDirectory() + "\\KR\\");
        EXPECT_TRUE(fs::is_directory(at("KR")));
        EXPECT_EQ(engine::OAQ.count(), 0u);
        EXPECT_EQ(engine::OBQ.count(), 0u);
        EXPECT_EQ(engine::BMKG.Mode, 2);
        EXPECT_EQ(fw::core::threadValues().request, 0);
        EXPECT_EQ(GOODSUseCount, 0);
        EXPECT_FALSE(GOODS.isOpen());
        EXPECT_TRUE(fw::ui::openWindows().empty());
        EXPECT_TRUE(seen.pagesExisted) << "the page files exist until the report closes";
        for (const fs::path& page : seen.pages)
            EXPECT_FALSE(fs::exists(page)) << page;
        if (!seen.pageFolder.empty()) {
            EXPECT_FALSE(fs::exists(seen.pageFolder));
        }
        // The record's fields were bound for the run only; what was bound
        // before it is bound again.
        const auto unbound = boundNames().evaluate("GOD:CUSID");
        ASSERT_FALSE(unbound);
        EXPECT_EQ(unbound.error().code, 800);
        EXPECT_EQ(boundNames().evaluate("BeforeTheRun").value_or("(failed)"), "5");
    }

    std::int32_t m_before = 0;
};

std::string percentText(int percent)
{
    std::string digits = std::to_string(percent);
    return std::string(3 - digits.size(), ' ') + digits + "% Completed";
}

std::vector<std::string> everyPercent()
{
    std::vector<std::string> texts;
    for (int p = 1; p <= 100; ++p)
        texts.push_back(percentText(p));
    return texts;
}

std::vector<std::string> customers(int count)
{
    std::vector<std::string> numbers;
    for (int n = 1; n <= count; ++n)
        numbers.push_back(std::to_string(n));
    return numbers;
}

struct ReportCase;
void PrintTo(const ReportCase& c, std::ostream* out);

struct ReportCase {
    const char* name;
    int records; // -1: no GOODS file
    int response;
    std::vector<std::string> progress;
    std::size_t finishedPages; // bands of 190 in an area of 7460: 39 to a page
};

void PrintTo(const ReportCase& c, std::ostream* out) { *out << c.name; }

class GoodsReportRuns : public GoodsReportTest, public ::testing::WithParamInterface<ReportCase> {};

TEST_P(GoodsReportRuns, PrintEveryRecordAndLeaveTheWorkFolder)
{
    const ReportCase& c = GetParam();
    if (c.records >= 0)
        writeGoods(c.records);

    const Observed seen = run();

    EXPECT_EQ(fw::core::threadValues().response, c.response);
    EXPECT_EQ(seen.printedCustomers, customers(c.records < 0 ? 0 : c.records));
    EXPECT_EQ(seen.progress, c.progress);
    EXPECT_EQ(seen.pages.size(), c.finishedPages);
    EXPECT_TRUE(fs::exists(at("GOODS.sqlite")));
    expectTheEndOfTheRun(seen);
}

INSTANTIATE_TEST_SUITE_P(
    Files, GoodsReportRuns,
    ::testing::Values(ReportCase{"MissingFileIsCreatedAndNothingPrinted", -1, 2, {}, 0},
                      ReportCase{"EmptyFilePrintsNothing", 0, 2, {}, 0},
                      ReportCase{"OneRecord", 1, 1, {"100% Completed"}, 0},
                      ReportCase{"ThreeRecords", 3, 1, {" 33% Completed", " 66% Completed", "100% Completed"}, 0},
                      ReportCase{"OneBatchExactly", 1000, 1, everyPercent(), 25},
                      ReportCase{"OneRecordIntoTheSecondBatch", 1001, 1, everyPercent(), 25},
                      ReportCase{"SeveralBatches", 2500, 1, everyPercent(), 64}),
    [](const ::testing::TestParamInfo<ReportCase>& info) { return std::string(info.param.name); });

TEST_F(GoodsReportTest, PercentageIsRefreshedOnlyWhenTheWholeNumberChanges)
{
    writeGoods(7);
    const Observed seen = run();
    // 100 * k / 7 for k = 1 .. 7, each shown once.
    EXPECT_EQ(seen.progress,
              (std::vector<std::string>{" 14% Completed", " 28% Completed", " 42% Completed", " 57% Completed",
                                        " 71% Completed", " 85% Completed", "100% Completed"}));
    expectTheEndOfTheRun(seen);
}

TEST_F(GoodsReportTest, CancelEndsTheRunAfterTheBatchWithoutAnotherOne)
{
    writeGoods(2500);
    const Observed seen = run([](Observed& observed) {
        if (observed.printedCustomers.size() == 5)
            fw::ui::currentWindow()->post(fw::ui::Event::Accepted, ProgressControl::Cancel);
    });
    EXPECT_EQ(fw::core::threadValues().response, 2);
    EXPECT_EQ(seen.printedCustomers, customers(RecordsPerEvent));
    expectTheEndOfTheRun(seen);
}

TEST_F(GoodsReportTest, ProgressWindowIsHiddenAndShowsItsTexts)
{
    writeGoods(3);
    struct Shown {
        bool hidden = false;
        std::string title, heading, percent, bar;
    } shown;
    run([&shown](Observed& observed) {
        if (observed.printedCustomers.size() != 1)
            return;
        fw::ui::Window* window = fw::ui::currentWindow();
        shown = {window->isHidden(), window->title(), window->text(ProgressControl::Heading),
                 window->text(ProgressControl::Percent), window->text(ProgressControl::Bar)};
    });
    // As the first band is printed, one record of three has been read.
    EXPECT_TRUE(shown.hidden);
    EXPECT_EQ(shown.title, "Generating Report");
    EXPECT_EQ(shown.heading, "");
    EXPECT_EQ(shown.percent, " 33% Completed");
    EXPECT_EQ(shown.bar, "33");
}

TEST_F(GoodsReportTest, AWorkFolderAlreadySetGetsItsBackslash)
{
    writeGoods(1);
    engine::BMKG.WorkFolder = (m_folder / "given").string();
    const Observed seen = run();
    EXPECT_EQ(engine::BMKG.WorkFolder.clipped(), (m_folder / "given").string() + "\\");
    EXPECT_TRUE(fs::is_directory(at("given")));
}

// Records the messages of the standard procedures and the halt of the stock
// opener instead of showing and ending.
class Messages {
public:
    Messages()
    {
        fw::app::setMessagePresenterForTesting([this](const fw::app::MessageRequest& request) {
            shown.push_back(request.caption + ": " + request.text);
            return fw::ui::Button::Ok;
        });
        fw::app::setHaltForTesting([this](std::string_view text) { halts.emplace_back(text); });
    }
    ~Messages()
    {
        fw::app::setMessagePresenterForTesting({});
        fw::app::setHaltForTesting({});
    }
    std::vector<std::string> shown;
    std::vector<std::string> halts;
};

TEST_F(GoodsReportTest, AReadErrorInABatchWarnsAndEndsTheRunAsCompleted)
{
    writeGoods(5);
    Messages messages;
    const Observed seen = run([](Observed& observed) {
        if (observed.printedCustomers.size() == 2)
            GOODS.close();
    });
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Record Retrieval Error: Error: (File not open) attempting to "
                                                       "access a record from the Goods file.  Returning to previous "
                                                       "window."});
    EXPECT_EQ(fw::core::threadValues().response, 1);
    EXPECT_EQ(seen.printedCustomers, customers(2));
    expectTheEndOfTheRun(seen);
}

TEST_F(GoodsReportTest, AFileTheOpenerCannotOpenHaltsWithDiskError)
{
    std::ofstream(at("GOODS.sqlite")) << "not a data file";
    Messages messages;
    const Observed seen = run();
    EXPECT_EQ(messages.halts, std::vector<std::string>{"Disk Error"});
    // Only a halt replaced for the test lets the run go on: it then finds
    // no view and no record, and ends as a run without records.
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_TRUE(messages.shown[0].starts_with("File Access Error: ")) << messages.shown[0];
    EXPECT_EQ(messages.shown[1], "View Open Error: Error: (File not open) attempting to open the current VIEW. "
                                 "Filter and Range Limits ignored.");
    EXPECT_EQ(messages.shown[2], "Record Retrieval Error: Error: (File not open) attempting to access a record from "
                                 "the Goods file.  Returning to previous window.");
    EXPECT_EQ(fw::core::threadValues().response, 2);
    EXPECT_EQ(seen.printedCustomers, customers(0));
    expectTheEndOfTheRun(seen);
}

} // namespace
