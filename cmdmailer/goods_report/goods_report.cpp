#include "cmdmailer/goods_report/goods_report.h"

#include <cstdint>
#include <iostream>
#include <memory>
#include <string>
#include <utility>

#include "cmdmailer/goods_report/bound_names.h"
#include "cmdmailer/goods_report/goods_report_layouts.h"
#include "engine/folders/make_folders.h"
#include "engine/folders/work_folder.h"
#include "engine/global_data.h"
#include "framework/app/file_opener.h"
#include "framework/app/standard_warnings.h"
#include "framework/core/binding.h"
#include "framework/core/error_codes.h"
#include "framework/core/picture.h"
#include "framework/core/thread_values.h"
#include "framework/data/view.h"
#include "framework/ui/window.h"
#include "goods/goods_file.h"

namespace vextrel {

namespace {

using fw::core::Binding;
using goods::GOD;
using goods::GOODS;
using goods::GOODSUseCount;

// The outcome of a run, as the caller finds it in the global response.
namespace RunResponse {
inline constexpr std::int32_t Completed = 1; // the last record was printed
inline constexpr std::int32_t Cancelled = 2; // anything else
} // namespace RunResponse

// The record check: a record in the buffer, or none (the end, or a failure).
namespace RecordStatus {
inline constexpr std::uint8_t Good = 0;
inline constexpr std::uint8_t OutOfRange = 1;
} // namespace RecordStatus

constexpr std::string_view FileDisplayName = "Goods";

GoodsReportProbe& probe()
{
    static GoodsReportProbe instance;
    return instance;
}

// Progress from byte counts: the share of the file read so far, as a whole
// percentage. A byte keeps its low eight bits and never shows more than 100.
// A file that was empty when it was opened but yields records all the same
// (another program added them meanwhile) counts as read in full rather than
// dividing by zero.
std::uint8_t percentOf(std::int64_t bytesRead, std::int64_t totalBytes)
{
    if (totalBytes <= 0)
        return 100;
    const std::uint8_t share = fw::core::toByte(bytesRead * 100 / totalBytes);
    return share > 100 ? 100 : share;
}

// One run of the report: its working values, its window, report, view and
// page queue. The steps are members so that they share those values.
class GoodsReportRun {
public:
    GoodsReportRun() = default;
    ~GoodsReportRun();
    GoodsReportRun(const GoodsReportRun&) = delete;
    GoodsReportRun& operator=(const GoodsReportRun&) = delete;

    void run();

private:
    bool setUp();
    void takeOpenWindow();
    void takeTimer();
    void endOfRun();

    void readRecord();
    void NextGoodsRecord();
    void CheckGoodsRecord();
    void GoodsReportReturn();

    void postClose();

    std::int32_t m_runResponse = 0;
    std::uint8_t m_recordStatus = RecordStatus::Good;
    std::int64_t m_totalBytes = 0;
    std::int64_t m_bytesRead = 0;
    std::uint8_t m_percent = 0;
    std::uint8_t m_progressValue = 0;
    std::int32_t m_recordsPerEvent = RecordsPerEvent;
    bool m_filesOpened = false;
    // Set once the close-window event is posted: a timer event already
    // queued behind a cancel must not print on, nor turn the cancel into a
    // completed run.
    bool m_closing = false;

    fw::report::PageQueue m_pageQueue;
    fw::data::View m_view{GOODS};
    std::unique_ptr<fw::report::Report> m_report;
    std::unique_ptr<fw::ui::Window> m_window;
    fw::expr::Evaluator::Scope m_savedNames;
};

GoodsReportRun::~GoodsReportRun()
{
    m_pageQueue.free();
    if (m_window)
        m_window->close();
    m_window.reset();
    m_report.reset();
    m_view.close();
}

void GoodsReportRun::run()
{
    if (setUp()) {
        while (m_window->nextEvent()) {
            switch (m_window->event()) {
            case fw::ui::Event::OpenWindow:
                takeOpenWindow();
                break;
            case fw::ui::Event::Timer:
                takeTimer();
                break;
            default:
                break;
            }
            if (m_window->event() == fw::ui::Event::Accepted && m_window->accepted() == ProgressControl::Cancel) {
                m_runResponse = RunResponse::Cancelled;
                postClose();
            }
        }
    }
    endOfRun();
}

bool GoodsReportRun::setUp()
{
    auto report = fw::report::Report::create(ReportLabel, ModuleKey, {Binding::of(GOD.CUSID), Binding::of(GOD.GOODS)});
    m_progressValue = 0;
    auto window = fw::ui::Window::create(ProgressWindowLabel, ModuleKey, {Binding::of(m_progressValue)});
    m_pageQueue.free();

    m_savedNames = boundNames().saveScope();
    // The request is taken into the run; this report has no use for it.
    fw::core::threadValues().request = 0;
    fw::core::threadValues().response = 0;
    m_runResponse = RunResponse::Cancelled;

    // Both layouts are the program's own: failing here is a build fault,
    // which the run reports and then ends as a run without records.
    if (!report || !window) {
        std::cerr << (report ? window.error() : report.error()).text() << '\n';
        return false;
    }
    m_report = std::move(*report);
    m_window = std::move(*window);

    if (GOODSUseCount == 0) {
        // On failure the opener has already ended the program; only a halt
        // replaced by a test comes back, and the run then finds no record.
        static_cast<void>(fw::app::openDataFile(GOODS, FileDisplayName, fw::app::CreateWhenMissing::Yes,
                                                fw::data::Access::ReadWrite));
    }
    ++GOODSUseCount;
    for (const fw::data::FieldBinding& field : goods::fieldBindings(GOD))
        boundNames().bindField(field.name, field.binding);
    m_filesOpened = true;

    m_totalBytes = GOODS.bytes();
    m_recordsPerEvent = RecordsPerEvent;
    m_bytesRead = 0;
    m_percent = 0;

    m_window->open();
    m_progressValue = 0;
    m_window->setText(ProgressControl::Percent, "0% Completed");
    m_window->setTitle("Generating Report");
    m_window->setText(ProgressControl::Heading, "");
    m_window->setHidden(fw::ui::Hidden::Yes);

    GOODS.sendCommand("QUICKSCAN=on");
    return true;
}

void GoodsReportRun::takeOpenWindow()
{
    // The view reads with a cursor of its own; the file's is set back too so
    // that nothing of an earlier reader's position is left.
    static_cast<void>(GOODS.setRecordOrder());
    m_view.setRecordOrder();
    if (auto filtered = m_view.setFilter(""); !filtered)
        fw::app::viewOpenWarning(filtered.error());
    if (auto opened = m_view.open(); !opened)
        fw::app::viewOpenWarning(opened.error());

    readRecord();
    if (m_recordStatus == RecordStatus::OutOfRange) {
        m_runResponse = RunResponse::Cancelled;
        postClose();
        return;
    }
    if (auto opened = m_report->open(); !opened) {
        // No temporary folder for the pages: nothing can be printed.
        std::cerr << opened.error().text() << '\n';
        m_runResponse = RunResponse::Cancelled;
        postClose();
        return;
    }
    m_report->setPageQueue(&m_pageQueue);
}

void GoodsReportRun::takeTimer()
{
    if (m_closing || !m_report->isOpen())
        return;
    for (std::int32_t n = 0; n < m_recordsPerEvent; ++n) {
        // The pages are discarded unread when the report closes, so a page
        // that could not be written loses nothing; the run goes on.
        static_cast<void>(m_report->printDetail());
        if (probe().bandPrinted)
            probe().bandPrinted();
        readRecord();
        if (m_recordStatus == RecordStatus::OutOfRange) {
            m_runResponse = RunResponse::Completed;
            break;
        }
        m_runResponse = RunResponse::Cancelled;
    }
    if (m_runResponse == RunResponse::Completed)
        postClose();
}

// The next record and its check. The check here knows only a good record and
// none, so one pass always settles the status.
void GoodsReportRun::readRecord()
{
    NextGoodsRecord();
    CheckGoodsRecord();
}

void GoodsReportRun::NextGoodsRecord()
{
    if (auto read = m_view.next(); !read) {
        if (read.error().code != fw::core::ErrorCode::NoFurtherRecord)
            fw::app::recordRetrievalWarning(read.error(), FileDisplayName);
        m_runResponse = RunResponse::Cancelled;
        return;
    }
    m_runResponse = RunResponse::Completed;
    m_bytesRead += GOODS.bytes();
    if (m_percent >= 100)
        return;
    m_percent = percentOf(m_bytesRead, m_totalBytes);
    if (m_percent == m_progressValue)
        return;
    m_progressValue = m_percent;
    const std::string text = fw::core::formatPicture("n3", std::int64_t{m_percent}) + "% Completed";
    m_window->setText(ProgressControl::Percent, text);
    m_window->redraw();
    if (probe().progressShown)
        probe().progressShown(text);
}

void GoodsReportRun::CheckGoodsRecord()
{
    m_recordStatus = m_runResponse == RunResponse::Cancelled ? RecordStatus::OutOfRange : RecordStatus::Good;
}

void GoodsReportRun::endOfRun()
{
    GOODS.sendCommand("QUICKSCAN=off");
    // A work folder that does not fit is left blank, and then nothing of the
    // job is written into a folder of a cut name.
    if (auto settled = engine::settleWorkFolder(); !settled)
        std::cerr << settled.error().text() << '\n';
    engine::MakeFolders(engine::BMKG.WorkFolder.str());
    engine::OAQ.free();
    engine::OBQ.free();
    if (m_report) {
        if (probe().beforeClose)
            probe().beforeClose(*m_report);
        m_report->close();
    }
    m_pageQueue.free();
    GoodsReportReturn();
}

void GoodsReportRun::GoodsReportReturn()
{
    if (m_filesOpened) {
        --GOODSUseCount;
        if (GOODSUseCount == 0)
            GOODS.close();
    }
    fw::core::threadValues().response = static_cast<std::uint8_t>(m_runResponse == 0 ? RunResponse::Cancelled
                                                                                     : m_runResponse);
    boundNames().restoreScope(m_savedNames);
}

void GoodsReportRun::postClose()
{
    m_closing = true;
    m_window->post(fw::ui::Event::CloseWindow);
}

} // namespace

void GoodsReport()
{
    GoodsReportRun run;
    run.run();
}

void setGoodsReportProbeForTesting(GoodsReportProbe replacement) { probe() = std::move(replacement); }

} // namespace vextrel
