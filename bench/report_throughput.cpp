// Throughput of a report run: records read through a view and printed into
// page files, once on the progress window's timer through the process and
// the report manager, once in a tight loop over the same view and report in
// the same run.
//
// A customer file of 100,000 records (by default) is made in a temporary
// folder and printed with the customers layout of the demonstration, 15
// records a page. Each repetition runs the tight loop, the run on the timer
// and, for comparison, the page files alone: as many files as the run
// wrote, of the same size, created, written, closed and removed as the
// report does it, with nothing else. It prints records per second, pages
// per second and the system calls per record of both runs, the overhead
// ratio of the timer-driven run (its time over the tight loop's) and the
// share of the tight loop that the page files alone take; with --repeat R
// the medians of those figures follow.
//
//   bench_report_throughput [--records N] [--repeat R] [--one-folder-group]
//
// The files go into a fresh folder under $TMPDIR (else /tmp); run it with
// TMPDIR on a disk, and once on a tmpfs (/dev/shm) to see the report's own
// work without the disk's cost of creating files.
//
// ext4 without a journal does not reuse an inode freed within the last
// minute if it can help it, and looks past every such inode of the block
// group for each new file: after one run has removed thousands of page
// files, each file of the next run in the same group costs ten times as
// much. So each run makes its report folder in a folder of its own, kept
// to the end, inside the benchmark's folder, which is marked as a top of a
// directory tree (chattr +T): ext4 then puts each run's folder in a group
// with the fewest folders, not in one that an earlier run of this
// benchmark took, and no run pays for the pages of the run before. Files
// that other programs, or an earlier start of the benchmark, removed in
// the last minute can still slow a run down; the page files alone, timed
// beside each run, show when they do, and the medians of --repeat leave
// such runs aside. --one-folder-group leaves the mark off, to see the cost.
//
// System calls are counted by the kernel (the raw_syscalls:sys_enter
// tracepoint) for the thread that runs the report, which is every
// framework thread: they are fibers on it.

#include <fcntl.h>
#include <linux/fs.h>
#include <linux/perf_event.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "demo/dictionary/records.h"
#include "demo/reports/report_layouts.h"
#include "framework/app/error_manager.h"
#include "framework/app/file_manager.h"
#include "framework/app/relation_manager.h"
#include "framework/core/date_time.h"
#include "framework/data/read_batch.h"
#include "framework/data/view.h"
#include "framework/preview/previewer.h"
#include "framework/process/process.h"
#include "framework/process/wired_report_manager.h"
#include "framework/report/report.h"
#include "framework/ui/qt/application.h"
#include "framework/ui/window.h"

namespace {

using Clock = std::chrono::steady_clock;
using zorvane::CUSTOMER;
using zorvane::CustomerRecord;

struct Options {
    int records = 100000;
    int repeat = 1;
    bool spreadFolders = true;
};

Options parse(int argc, char** argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string key = argv[i];
        if (key == "--one-folder-group")
            o.spreadFolders = false;
        else if (key == "--records" && i + 1 < argc)
            o.records = std::atoi(argv[++i]);
        else if (key == "--repeat" && i + 1 < argc)
            o.repeat = std::atoi(argv[++i]);
    }
    o.records = std::max(o.records, 1);
    o.repeat = std::max(o.repeat, 1);
    return o;
}

// The system calls of the calling thread, counted by the kernel; -1 when
// the kernel does not let this process count them.
class SyscallCounter {
public:
    SyscallCounter()
    {
        std::ifstream idFile("/sys/kernel/tracing/events/raw_syscalls/sys_enter/id");
        long long id = -1;
        if (!(idFile >> id))
            return;
        perf_event_attr attr{};
        attr.size = sizeof attr;
        attr.type = PERF_TYPE_TRACEPOINT;
        attr.config = static_cast<std::uint64_t>(id);
        attr.exclude_kernel = 0;
        m_fd = static_cast<int>(::syscall(SYS_perf_event_open, &attr, 0, -1, -1, PERF_FLAG_FD_CLOEXEC));
    }
    ~SyscallCounter()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    SyscallCounter(const SyscallCounter&) = delete;
    SyscallCounter& operator=(const SyscallCounter&) = delete;

    std::int64_t count() const
    {
        std::uint64_t value = 0;
        if (m_fd < 0 || ::read(m_fd, &value, sizeof value) != sizeof value)
            return -1;
        return static_cast<std::int64_t>(value);
    }

private:
    int m_fd = -1;
};

const SyscallCounter& syscalls()
{
    static const SyscallCounter counter;
    return counter;
}

bool fillCustomers(int count)
{
    CustomerRecord& r = zorvane::CUS;
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
    std::uint64_t pageBytes = 0; // of all page files together
    std::int64_t syscalls = -1;  // -1: not counted
};

// Times `work` and counts its system calls into `result`.
template <class Work>
void measure(Result& result, Work work)
{
    const std::int64_t callsBefore = syscalls().count();
    const auto began = Clock::now();
    work();
    result.seconds = std::chrono::duration<double>(Clock::now() - began).count();
    const std::int64_t callsAfter = syscalls().count();
    result.syscalls = callsBefore >= 0 && callsAfter >= 0 ? callsAfter - callsBefore : -1;
}

std::uint64_t bytesOfPages(const fw::report::PageQueue& pages)
{
    std::uint64_t bytes = 0;
    std::error_code ignored;
    for (const fw::report::PageEntry& page : pages)
        bytes += std::filesystem::file_size(page.PRINTPREVIEWIMAGE.clipped(), ignored);
    return bytes;
}

Result tightLoop()
{
    CustomerRecord own;
    auto report = fw::report::Report::create(zorvane::customersReportLayout(), fieldsOf(own));
    if (!report || !(*report)->open())
        return {};
    fw::data::View view(CUSTOMER);
    view.setOrder(*CUSTOMER.keyNamed("CUS:ByName"));
    Result result;
    bool printed = true;
    measure(result, [&] {
        if (view.open()) {
            // Read as the process reads a batch: in the file's read
            // transactions.
            fw::data::ReadBatch batch(CUSTOMER);
            while (printed && view.next(&own)) {
                ++result.records;
                printed = (*report)->printDetail().has_value();
            }
            printed = printed && (*report)->endPage().has_value();
        }
        // The run on the timer ends by closing its report, which deletes
        // the pages; so does this one, inside the time.
        result.pages = (*report)->pageQueue().count();
        result.pageBytes = bytesOfPages((*report)->pageQueue());
        (*report)->close();
    });
    view.close();
    return printed ? result : Result{};
}

// As many files as `run` wrote, of its average page size, in a folder of
// their own under $TMPDIR: created, written and closed as the report writes
// a page, then removed with the folder as closing the report removes them.
Result pageFilesAlone(const Result& run)
{
    Result result;
    if (run.pages == 0)
        return result;
    const std::vector<char> bytes(run.pageBytes / run.pages, 'w');
    std::string folder = std::string(std::getenv("TMPDIR")) + "/report-XXXXXX";
    if (!::mkdtemp(folder.data()))
        return result;
    std::vector<std::string> names;
    measure(result, [&] {
        for (std::size_t page = 1; page <= run.pages; ++page) {
            char name[32];
            std::snprintf(name, sizeof name, "/page%04zu.wmf", page);
            names.push_back(folder + name);
            std::FILE* file = std::fopen(names.back().c_str(), "wb");
            if (!file)
                return;
            std::fwrite(bytes.data(), 1, bytes.size(), file);
            std::fclose(file);
        }
        std::error_code ignored;
        for (const std::string& name : names)
            std::filesystem::remove(name, ignored);
        std::filesystem::remove_all(folder, ignored);
    });
    result.pages = names.size();
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
    fw::process::WiredReportManager manager(**window, {.view = view,
                                                       .relation = &relation,
                                                       .process = process,
                                                       .report = **report,
                                                       .previewer = previewer,
                                                       .progress = progress,
                                                       .percentControl = zorvane::ProgressControl::PercentText,
                                                       .cancelControl = zorvane::ProgressControl::Cancel});
    std::uint8_t response = 0;
    measure(result, [&] { response = manager.run(); });
    result.records = response == 1 ? process.recordsRead() : 0;
    return result;
}

void print(const char* what, const Result& r)
{
    std::printf("%-14s %8lld records %6zu pages %8.3f s %10.0f records/s %8.0f pages/s", what,
                static_cast<long long>(r.records), r.pages, r.seconds, r.records / r.seconds, r.pages / r.seconds);
    if (r.syscalls >= 0)
        std::printf(" %6.2f syscalls/record", static_cast<double>(r.syscalls) / static_cast<double>(r.records));
    std::printf("\n");
}

// A fresh folder for the next run's report folder, made $TMPDIR.
bool enterRunFolder(const std::string& benchFolder)
{
    std::string folder = benchFolder + "/run-XXXXXX";
    if (!::mkdtemp(folder.data()))
        return false;
    ::setenv("TMPDIR", folder.c_str(), 1);
    return true;
}

double median(std::vector<double> values)
{
    std::ranges::sort(values);
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// ext4's mark for the top of a directory tree: the folders made in one so
// marked are spread over the block groups. False where the file system has
// no such mark or refuses it.
bool markAsTopOfTree(const char* folder)
{
    const int fd = ::open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    int flags = 0;
    bool marked = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags |= FS_TOPDIR_FL;
    marked = marked && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return marked;
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
    const bool spread = options.spreadFolders && markAsTopOfTree(folder);
    syscalls(); // opened before the window system starts its threads
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
        std::printf("report throughput: %d customer records, layout of the customers report, pages in %s%s\n",
                    options.records, folder,
                    spread ? " (report folders spread over the block groups)" : " (one block group)");
        if (syscalls().count() < 0)
            std::printf("system calls not counted: perf_event_open of raw_syscalls:sys_enter refused\n");
        std::vector<double> tightRates, timedRates, tightCalls, timedCalls, fileShares;
        for (int i = 0; i < options.repeat; ++i) {
            const bool entered = enterRunFolder(folder);
            const Result tight = tightLoop();
            const bool enteredAgain = enterRunFolder(folder);
            const Result timed = timerDriven(relation);
            const bool enteredOnceMore = enterRunFolder(folder);
            const Result files = pageFilesAlone(tight);
            if (!entered || !enteredAgain || !enteredOnceMore) {
                std::fprintf(stderr, "no folder for a run can be made in %s\n", folder);
                status = 1;
                break;
            }
            if (tight.records != options.records || timed.records != options.records) {
                std::fprintf(stderr, "a run did not print every record (%lld, %lld)\n",
                             static_cast<long long>(tight.records), static_cast<long long>(timed.records));
                status = 1;
                break;
            }
            print("tight loop", tight);
            print("on the timer", timed);
            std::printf("page files     %8s %14zu pages %8.3f s (%.0f bytes each): %.0f%% of the tight loop\n", "",
                        files.pages, files.seconds, static_cast<double>(tight.pageBytes) / tight.pages,
                        100 * files.seconds / tight.seconds);
            std::printf("overhead ratio (timer / tight loop): %.3f\n", timed.seconds / tight.seconds);
            tightRates.push_back(tight.records / tight.seconds);
            timedRates.push_back(timed.records / timed.seconds);
            tightCalls.push_back(static_cast<double>(tight.syscalls) / tight.records);
            timedCalls.push_back(static_cast<double>(timed.syscalls) / timed.records);
            fileShares.push_back(100 * files.seconds / tight.seconds);
        }
        if (status == 0 && options.repeat > 1) {
            // The ratio of the two medians, so that a single run slowed
            // down by the file system (see above) does not decide it.
            std::printf("medians of %d: tight loop %.0f records/s, on the timer %.0f records/s, ratio %.3f, "
                        "page files %.0f%% of the tight loop",
                        options.repeat, median(tightRates), median(timedRates), median(tightRates) / median(timedRates),
                        median(fileShares));
            if (syscalls().count() >= 0)
                std::printf(", %.2f and %.2f syscalls/record", median(tightCalls), median(timedCalls));
            std::printf("\n");
        }
        CUSTOMER.close();
    }
    std::filesystem::current_path(previous);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return status;
}
