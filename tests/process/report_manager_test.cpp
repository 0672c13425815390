#include "framework/process/report_manager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "framework/core/thread_values.h"
#include "framework/data/view.h"
#include "framework/preview/previewer.h"
#include "framework/process/process.h"
#include "framework/process/wired_report_manager.h"
#include "framework/report/report.h"
#include "framework/threads/scheduler.h"
#include "framework/ui/drive/window_driver.h"
#include "tests/process/process_fixture.h"
#include "tests/support/page_reader.h"
#include "tests/support/test_layouts.h"

namespace {

using fw::ui::drive::waitFor;
using test_support::PersonRecord;
using test_support::readPageFile;

// What the previewer's display saw: the page files and what each shows.
class RecordingPreviewer : public fw::preview::Previewer {
public:
    std::uint8_t display(const fw::report::PageQueue& pages) override
    {
        ++calls;
        for (const fw::report::PageEntry& entry : pages) {
            const std::string name = entry.PRINTPREVIEWIMAGE.clipped();
            files.push_back(name);
            texts.push_back(readPageFile(name).textStrings());
        }
        return answer;
    }

    std::uint8_t answer = 0;
    int calls = 0;
    std::vector<std::string> files;
    std::vector<std::vector<std::string>> texts;
};

// The small test report, its fields bound to `own`.
fw::core::Expected<std::unique_ptr<fw::report::Report>> smallReport(PersonRecord& own)
{
    return fw::report::Report::create(
        testlayouts::small,
        {fw::core::Binding::of(own.NAME), fw::core::Binding::of(own.ID), fw::core::Binding::of(own.YEAR)});
}

// What happens at one record of the run, from inside its per-record step.
enum class AtRecord : std::uint8_t {
    Nothing,
    ClickCancel,      // the run waits there until the test has clicked Cancel
    CloseFromOutside, // a close-window event as the program's end sends
    RemovePageFolder, // the pages can no longer be written
};

struct RunCase {
    const char* name;
    int records;
    std::uint8_t answer;
    AtRecord action;
    int atRecord;
    int timer;
    std::uint8_t response;
    int displays;
    int pages;
    bool printed;
    friend void PrintTo(const RunCase& c, std::ostream* os) { *os << c.name; }
};

class PrintingProcess : public fw::process::Process {
public:
    PrintingProcess(fw::report::Report& report, fw::ui::Window& window) : m_report(report), m_window(window) {}

    std::uint8_t takeRecord() override
    {
        const std::uint8_t level = Process::takeRecord();
        ++taken;
        if (!m_report.printDetail())
            return 1;
        if (taken == atRecord) {
            switch (action) {
            case AtRecord::Nothing:
                break;
            case AtRecord::ClickCancel:
                paused = true;
                fw::threads::waitUntil([this] { return resume; });
                break;
            case AtRecord::CloseFromOutside:
                m_window.post(fw::ui::Event::CloseWindow);
                break;
            case AtRecord::RemovePageFolder: {
                std::error_code ignored;
                std::filesystem::remove_all(m_report.folder(), ignored);
                break;
            }
            }
        }
        return level;
    }

    AtRecord action = AtRecord::Nothing;
    int atRecord = 0;
    int taken = 0;
    bool paused = false;
    bool resume = false;

private:
    fw::report::Report& m_report;
    fw::ui::Window& m_window;
};

// The report manager as a report procedure's Init sets it up, over the
// fixture's progress window (control 3 the percentage, 4 Cancel).
class TestReportManager : public fw::process::WiredReportManager {
public:
    TestReportManager(fw::ui::Window& window, fw::data::View& view, fw::app::RelationManager& relation,
                      PrintingProcess& process, fw::report::Report& report, RecordingPreviewer& previewer,
                      std::uint8_t& progress)
        : WiredReportManager(window, {.view = view,
                                      .relation = &relation,
                                      .process = process,
                                      .report = report,
                                      .previewer = previewer,
                                      .progress = progress,
                                      .percentControl = 3,
                                      .cancelControl = 4})
    {
    }
};

class ReportManagerRun : public ProcessFixture, public ::testing::WithParamInterface<RunCase> {
protected:
    void SetUp() override
    {
        ProcessFixture::SetUp();
        m_pdf = (m_folder / "printed.pdf").string();
        ::setenv(fw::preview::PrintPdfVariable, m_pdf.c_str(), 1);
    }
    void TearDown() override
    {
        ::unsetenv(fw::preview::PrintPdfVariable);
        ProcessFixture::TearDown();
    }

    std::string m_pdf;
};

TEST_P(ReportManagerRun, EndOfRunByResponse)
{
    const RunCase& c = GetParam();
    makePeople(people(c.records));

    PersonRecord own;
    std::unique_ptr<fw::ui::Window> window;
    std::unique_ptr<fw::report::Report> report;
    std::unique_ptr<PrintingProcess> process;
    RecordingPreviewer previewer;
    previewer.answer = c.answer;
    std::uint8_t response = 0, globalResponse = 0;
    bool displayed = false, done = false;
    std::vector<std::string> reportFiles;

    const auto thread = fw::threads::start([&] {
        window = makeWindow(c.timer);
        auto created = smallReport(own);
        ASSERT_TRUE(created.has_value()) << created.error().text();
        report = std::move(*created);
        fw::data::View view(*file);
        view.setOrder(*file->keyNamed("PEO:ByName"));
        process = std::make_unique<PrintingProcess>(*report, *window);
        process->action = c.action;
        process->atRecord = c.atRecord;
        process->setRecordBuffer(&own);
        TestReportManager manager(*window, view, *relation, *process, *report, previewer, progress);
        response = manager.run();
        globalResponse = fw::core::threadValues().response;
        displayed = manager.displayed();
        view.close();
        done = true;
    });

    if (c.action == AtRecord::ClickCancel) {
        ASSERT_TRUE(waitFor([&] { return process && process->paused; }));
        ASSERT_TRUE(fw::ui::drive::waitUntilShown(*window));
        fw::ui::drive::clickButton(*window, 4);
        process->resume = true;
    }
    ASSERT_TRUE(waitFor([&] { return done; })) << "the run did not end";
    fw::threads::waitForThread(thread);

    EXPECT_EQ(response, c.response);
    EXPECT_EQ(globalResponse, c.response);
    EXPECT_EQ(previewer.calls, c.displays);
    EXPECT_EQ(displayed, c.displays == 1);
    EXPECT_EQ(static_cast<int>(previewer.files.size()), c.pages);
    EXPECT_EQ(std::filesystem::exists(m_pdf), c.printed);
    EXPECT_TRUE(previewer.pageQueue().isEmpty()) << "the page queue is emptied";
    EXPECT_FALSE(report->isOpen()) << "the report is closed";
    for (const std::string& f : previewer.files)
        EXPECT_FALSE(std::filesystem::exists(f)) << f << " outlived the report";
    EXPECT_FALSE(window->isOpen());
    if (c.action == AtRecord::ClickCancel) {
        EXPECT_LT(process->taken, c.records) << "Cancel is honoured at the next batch";
    }
    if (c.response == 1) {
        EXPECT_EQ(window->text(3), "100% Complete");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReportManagerRun,
    ::testing::Values(
        RunCase{"CompletedRunDisplaysItsPages", 7, 0, AtRecord::Nothing, 0, 1, 1, 1, 3, false},
        RunCase{"DisplayAnsweringNonZeroPrints", 4, 1, AtRecord::Nothing, 0, 1, 1, 1, 2, true},
        RunCase{"LayoutWithoutTimerGetsOne", 2, 0, AtRecord::Nothing, 0, 0, 1, 1, 1, false},
        RunCase{"EmptyViewDisplaysNothing", 0, 1, AtRecord::Nothing, 0, 1, 2, 0, 0, false},
        RunCase{"CancelInTheMiddleDisplaysNothing", 40, 1, AtRecord::ClickCancel, 2, 1, 2, 0, 0, false},
        RunCase{"ClosedFromOutsideCountsAsCancelled", 40, 1, AtRecord::CloseFromOutside, 2, 1, 2, 0, 0, false},
        RunCase{"PageThatCannotBeWrittenDisplaysNothing", 7, 1, AtRecord::RemovePageFolder, 7, 1, 2, 0, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

// Three bands of the small report fit a page: page breaks after every third
// record, the page header and footer on every page, the page number
// through "pPage <<<#p".
TEST_F(ProcessFixture, PagesOfACompletedRunBreakAtTheRightRecord)
{
    makePeople(people(7));
    PersonRecord own;
    RecordingPreviewer previewer;
    bool done = false;
    std::uint8_t response = 0;
    const auto thread = fw::threads::start([&] {
        auto window = makeWindow();
        auto report = smallReport(own);
        ASSERT_TRUE(report.has_value());
        fw::data::View view(*file);
        view.setOrder(*file->keyNamed("PEO:ByName"));
        PrintingProcess process(**report, *window);
        process.setRecordBuffer(&own);
        TestReportManager manager(*window, view, *relation, process, **report, previewer, progress);
        response = manager.run();
        done = true;
    });
    ASSERT_TRUE(waitFor([&] { return done; }));
    fw::threads::waitForThread(thread);

    ASSERT_EQ(response, 1);
    const std::vector<std::string> header{"Small Report", "Name", "Number"};
    auto page = [&](std::vector<std::string> details, const char* footer) {
        std::vector<std::string> all = header;
        all.insert(all.end(), details.begin(), details.end());
        all.push_back(footer);
        return all;
    };
    ASSERT_EQ(previewer.texts.size(), 3u);
    EXPECT_EQ(
        previewer.texts[0],
        page({"P001", "00001", "01/01/00", "P002", "00002", "02/01/00", "P003", "00003", "03/01/00"}, "Page    1"));
    EXPECT_EQ(
        previewer.texts[1],
        page({"P004", "00004", "04/01/00", "P005", "00005", "05/01/00", "P006", "00006", "06/01/00"}, "Page    2"));
    EXPECT_EQ(previewer.texts[2], page({"P007", "00007", "07/01/00"}, "Page    3"));
}

} // namespace

namespace {

// A report whose page folder cannot be made: the run reads nothing, shows
// nothing and says why.
TEST_F(ProcessFixture, ReportThatCannotOpenEndsTheRunAsCancelled)
{
    makePeople(people(3));
    ::setenv("TMPDIR", (m_folder / "missing" / "deeper").c_str(), 1);
    PersonRecord own;
    RecordingPreviewer previewer;
    bool done = false;
    std::uint8_t response = 0;
    std::optional<fw::core::Error> failure;
    int taken = -1;
    const auto thread = fw::threads::start([&] {
        auto window = makeWindow();
        auto report = smallReport(own);
        ASSERT_TRUE(report.has_value());
        fw::data::View view(*file);
        PrintingProcess process(**report, *window);
        process.setRecordBuffer(&own);
        TestReportManager manager(*window, view, *relation, process, **report, previewer, progress);
        response = manager.run();
        failure = manager.failure();
        taken = process.taken;
        done = true;
    });
    ASSERT_TRUE(waitFor([&] { return done; }));
    fw::threads::waitForThread(thread);
    ::setenv("TMPDIR", m_folder.c_str(), 1);

    EXPECT_EQ(response, 2);
    EXPECT_EQ(taken, 0);
    EXPECT_EQ(previewer.calls, 0);
    ASSERT_TRUE(failure.has_value());
    EXPECT_NE(failure->text().find("the folder for its pages cannot be made"), std::string::npos) << failure->text();
}

// A run without a relation to read through (a dictionary that is not set
// up): init() ends it before the window opens and before any part is
// added; nothing is read and nothing is shown.
TEST_F(ProcessFixture, RunWithoutARelationEndsAsCancelledBeforeItsWindowOpens)
{
    makePeople(people(3));
    PersonRecord own;
    RecordingPreviewer previewer;
    bool done = false, opened = true, partsAdded = true, windowOpen = true;
    std::uint8_t response = 0;
    int taken = -1;
    const auto thread = fw::threads::start([&] {
        auto window = makeWindow();
        auto report = smallReport(own);
        ASSERT_TRUE(report.has_value());
        fw::data::View view(*file);
        PrintingProcess process(**report, *window);
        fw::process::WiredReportManager manager(*window, {.view = view,
                                                          .relation = nullptr,
                                                          .process = process,
                                                          .report = **report,
                                                          .previewer = previewer,
                                                          .progress = progress,
                                                          .percentControl = 3,
                                                          .cancelControl = 4});
        response = manager.run();
        opened = manager.opened;
        windowOpen = window->isOpen();
        partsAdded = manager.process() || manager.report() || manager.previewer();
        taken = process.taken;
        done = true;
    });
    ASSERT_TRUE(waitFor([&] { return done; }));
    fw::threads::waitForThread(thread);

    EXPECT_EQ(response, 2);
    EXPECT_EQ(taken, 0);
    EXPECT_FALSE(opened);
    EXPECT_FALSE(windowOpen);
    EXPECT_FALSE(partsAdded);
    EXPECT_EQ(previewer.calls, 0);
}

} // namespace
