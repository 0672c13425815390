// Throughput of a report run: records read through a view and printed into
// page files, once on the progress window's timer through the process and
// the report manager, once in a tight loop over the same view and report in
// the same run.
//
// A customer file of 100,000 records (by default) is made in a temporary
// folder and printed with the customers layout of the demonstration, 15
// records a page. Prints records per second and pages per second of both
// runs and the overhead ratio of the timer-driven run (its time over the
// tight loop's).
//
//   bench_report_throughput [--records N] [--repeat R]
//
// The files go into a fresh folder under $TMPDIR (else /tmp); run it once
// with TMPDIR on a disk and once on a tmpfs (/dev/shm) to tell the cost of
// creating page files apart from the report's own work.

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "demo/dictionary/records.h"
#include "framework/app/error_manager.h"
#include "framework/app/file_manager.h"
#include "framework/app/relation_manager.h"
#include "demo/reports/report_layouts.h"
#include "framework/core/date_time.h"
#include "framework/data/view.h"
#include "framework/preview/previewer.h"
#include "framework/process/process.h"
#include "framework/process/report_manager.h"
#include "framework/report/report.h"
#include "framework/ui/qt/application.h"
#include "framework/ui/window.h"

namespace {

using Clock = std::chrono::steady_clock;
using demo::dictionary::CUSTOMER;
using demo::dictionary::CustomerRecord;

struct Options {
    int records = 100000;
    int repeat = 1;
};

Options parse(int argc, char** argv)
{
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        if (key == "--records")
            o.records = std::atoi(argv[i + 1]);
        else if (key == "--repeat")
            o.repeat = std::atoi(argv[i + 1]);
    }
    o.records = std::max(o.records, 1);
    o.repeat = std::max(o.repeat, 1);
    return o;
}

bool fillCustomers(int count)
{
    CustomerRecord& r = demo::dictionary::CUS;
    if (!CUSTOMER.create() || !CUSTOMER.open() || !CUSTOMER.beginTransaction())
        return false;
    for (int i = 0; i < count; ++i) {
        char name[21];
        std::snprintf(name, sizeof name, "Customer %08d", i);
        r.CUSID = i + 1;
        r.NAME = name;
        r.FIRSTDATE = i % 7 == 0 ? 0 : fw::core::dateSerial(2015 + i % 9, 1 + i % 12, 1 + i % 28);
        r.FIRSTTIME = i % 7 == 0 ? 0 : fw::core::timeValue(i % 24, i % 60);
        r.SUBURB = "Northgate";
        r.PHONE = "(02) 5550 " + std::to_string(1000 + i % 9000);
        r.EMAIL = "customer" + std::to_string(i) + "@example.com";
        r.WEBSITE = "https://www.example.com/customers/" + std::to_string(i);
        if (!CUSTOMER.add())
            return false;
    }
    return CUSTOMER.commit().has_value();
}

std::vector<fw::core::Binding> fieldsOf(CustomerRecord& r)
{
    using fw::core::Binding;
    return {Binding::of(r.NAME),  Binding::of(r.FIRSTDATE), Binding::of(r.FIRSTTIME), Binding::of(r.SUBURB),
            Binding::of(r.PHONE), Binding::of(r.EMAIL),     Binding::of(r.WEBSITE)};
}

struct Result {
    double seconds = 0;
    std::int64_t records = 0;
    std::size_t pages = 0;
};

Result tightLoop()
{
    CustomerRecord own;
    auto report = fw::report::Report::create(zorvane::customersReportLayout(), fieldsOf(own));
    if (!report || !(*report)->open())
        return {};
    fw::data::View view(CUSTOMER);
    view.setOrder(*CUSTOMER.keyNamed("CUS:ByName"));
    Result result;
    const auto began = Clock::now();
    if (view.open()) {
        while (view.next(&own)) {
            ++result.records;
            if (!(*report)->printDetail())
                return {};
        }
        if (!(*report)->endPage())
            return {};
    }
    // The run on the timer ends by closing its report, which deletes the
    // pages; so does this one, inside the time.
    result.pages = (*report)->pageQueue().count();
    (*report)->close();
    result.seconds = std::chrono::duration<double>(Clock::now() - began).count();
    view.close();
    return result;
}

class PrintingProcess : public fw::process::Process {
public:
    explicit PrintingProcess(fw::report::Report& report) : m_report(report) {}
    std::uint8_t takeRecord() override
    {
        const std::uint8_t level = Process::takeRecord();
        return m_report.printDetail() ? level : 1;
    }

private:
    fw::report::Report& m_report;
};

class BenchManager : public fw::process::ReportManager {
public:
    BenchManager(fw::ui::Window& window, fw::data::View& view, fw::app::RelationManager& relation,
                 PrintingProcess& process, fw::report::Report& report, fw::preview::Previewer& previewer,
                 std::uint8_t& progress)
        : ReportManager(window), m_view(view), m_relation(relation), m_process(process), m_report(report),
          m_previewer(previewer), m_progress(progress)
    {
    }
    std::uint8_t init() override
    {
        if (const std::uint8_t level = ReportManager::init())
            return level;
        window().open();
        opened = true;
        m_process.init(m_view, m_relation, window(), zorvane::ProgressControl::PercentText, m_progress);
        addItem(zorvane::ProgressControl::Cancel, fw::ui::Action::Cancel);
        addItem(m_process);
        addItem(m_report);
        addItem(m_previewer);
        return 0;
    }

private:
    fw::data::View& m_view;
    fw::app::RelationManager& m_relation;
    PrintingProcess& m_process;
    fw::report::Report& m_report;
    fw::preview::Previewer& m_previewer;
    std::uint8_t& m_progress;
};

Result timerDriven(fw::app::RelationManager& relation)
{
    CustomerRecord own;
    std::uint8_t progress = 0;
    auto window = fw::ui::Window::create(zorvane::progressWindowLayout("bench$report"),
                                         {fw::core::Binding::of(progress)});
    auto report = fw::report::Report::create(zorvane::customersReportLayout(), fieldsOf(own));
    if (!window || !report)
        return {};
    fw::data::View view(CUSTOMER);
    view.setOrder(*CUSTOMER.keyNamed("CUS:ByName"));
    PrintingProcess process(**report);
    process.setRecordBuffer(&own);
    fw::preview::Previewer previewer;
    Result result;
    previewer.setDisplayOperation([&](const fw::report::PageQueue& pages) -> std::uint8_t {
        result.pages = pages.count();
        return 0;
    });
    BenchManager manager(**window, view, relation, process, **report, previewer, progress);
    const auto began = Clock::now();
    const std::uint8_t response = manager.run();
    result.seconds = std::chrono::duration<double>(Clock::now() - began).count();
    result.records = response == 1 ? process.recordsRead() : 0;
    return result;
}

void print(const char* what, const Result& r)
{
    std::printf("%-14s %8lld records %6zu pages %8.3f s %10.0f records/s %8.0f pages/s\n", what,
                static_cast<long long>(r.records), r.pages, r.seconds, r.records / r.seconds, r.pages / r.seconds);
}

} // namespace

int main(int argc, char** argv)
{
    const Options options = parse(argc, argv);
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);

    // The folder for the data file and the page files: under $TMPDIR (a
    // tmpfs there measures the report without the disk's cost of creating
    // files), else /tmp.
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/bench-report-XXXXXX";
    if (!::mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    const char* folder = pattern.c_str();
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    ::setenv("TMPDIR", folder, 1);
    fw::ui::startWindowSystem(argc, argv);

    int status = 0;
    if (!fillCustomers(options.records)) {
        std::fprintf(stderr, "the customer file cannot be made in %s\n", folder);
        status = 1;
    } else {
        fw::app::ErrorManager errors;
        errors.init();
        fw::app::FileManager files;
        files.init(CUSTOMER, errors);
        files.setName("Customer");
        fw::app::RelationManager relation;
        relation.init(files, fw::app::Transactions::No);
        relation.setQuickScan(fw::app::QuickScan::On, fw::app::Propagate::Yes); // as the reports read
        std::printf("report throughput: %d customer records, layout of the customers report, pages in %s\n",
                    options.records, folder);
        for (int i = 0; i < options.repeat; ++i) {
            const Result tight = tightLoop();
            const Result timed = timerDriven(relation);
            if (tight.records != options.records || timed.records != options.records) {
                std::fprintf(stderr, "a run did not print every record (%lld, %lld)\n",
                             static_cast<long long>(tight.records), static_cast<long long>(timed.records));
                status = 1;
                break;
            }
            print("tight loop", tight);
            print("on the timer", timed);
            std::printf("overhead ratio (timer / tight loop): %.3f\n", timed.seconds / tight.seconds);
        }
        CUSTOMER.close();
    }
    std::filesystem::current_path(previous);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return status;
}
