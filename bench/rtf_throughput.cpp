// Throughput of the RTF document writer against `xxd -p` over the same bytes.
//
// Builds a document of 255 synthetic page files (1 MiB each by default) in a
// temporary folder, the way a mail run does, and prints the page input rate
// in MB/s, the writer's peak memory, and the same rate of `xxd -p` run over
// the same page files in the same run. The writer runs in a child process so
// that its peak resident size is its own; a second, small-page run shows that
// the peak does not grow with the page size.
//
//   bench_rtf_throughput [--pages N] [--page-bytes BYTES] [--repeat R]

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "engine/global_data.h"
#include "engine/rtf/rtf_writer.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
    int pages = 255;
    std::size_t pageBytes = 1 << 20;
    int repeat = 3;
};

Options parse(int argc, char** argv)
{
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        if (key == "--pages")
            o.pages = std::atoi(argv[i + 1]);
        else if (key == "--page-bytes")
            o.pageBytes = static_cast<std::size_t>(std::atoll(argv[i + 1]));
        else if (key == "--repeat")
            o.repeat = std::atoi(argv[i + 1]);
    }
    if (o.pages < 1 || o.pages > 255)
        o.pages = 255;
    if (o.repeat < 1)
        o.repeat = 1;
    return o;
}

constexpr int Job = 42;

std::filesystem::path pagePath(const std::filesystem::path& folder, int page)
{
    return folder / (std::to_string(Job) + std::to_string(page) + ".wmf");
}

void writePages(const std::filesystem::path& folder, int pages, std::size_t bytes)
{
    std::mt19937_64 random(12345);
    std::vector<char> data(bytes);
    for (int page = 1; page <= pages; ++page) {
        for (std::size_t i = 0; i + 8 <= bytes; i += 8) {
            const std::uint64_t r = random();
            std::memcpy(&data[i], &r, 8);
        }
        std::ofstream(pagePath(folder, page), std::ios::binary).write(data.data(), static_cast<std::streamsize>(bytes));
    }
}

struct ChildRun {
    double seconds = 0;
    long peakKiB = 0;
    int result = -1;
};

// Runs the writer once in a child process; the parent takes the child's
// wall time and peak resident size.
ChildRun runWriter(const std::filesystem::path& folder, int pages)
{
    std::string workFolder = folder.string() + "/";
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        engine::BMKG.WorkFolder = workFolder;
        engine::BMKG.JobNumber = Job;
        const std::uint8_t rc = engine::MakeRTFFile(workFolder + "42.RTF", "A4", static_cast<std::uint8_t>(pages), 0,
                                                    197, 197, 8270, 11530, 0);
        _exit(rc);
    }
    int status = 0;
    struct rusage usage {};
    wait4(child, &status, 0, &usage);
    ChildRun run;
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    run.peakKiB = usage.ru_maxrss;
    run.result = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// `xxd -p` over every page file, each into an output file beside it.
double runXxd(const std::filesystem::path& folder, int pages, bool& ok)
{
    ok = true;
    const std::string out = (folder / "xxd.out").string();
    const auto start = Clock::now();
    for (int page = 1; page <= pages; ++page) {
        const std::string in = pagePath(folder, page).string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const char* argv[] = {"xxd", "-p", in.c_str(), nullptr};
        pid_t pid = 0;
        if (posix_spawnp(&pid, "xxd", &actions, nullptr, const_cast<char**>(argv), environ) != 0) {
            ok = false;
            posix_spawn_file_actions_destroy(&actions);
            return 0;
        }
        posix_spawn_file_actions_destroy(&actions);
        int status = 0;
        waitpid(pid, &status, 0);
        ok &= WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv)
{
    const Options o = parse(argc, argv);
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/reportmail-bench-XXXXXX";
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::filesystem::path folder = pattern;

    writePages(folder, o.pages, o.pageBytes);
    const double inputMB = static_cast<double>(o.pages) * static_cast<double>(o.pageBytes) / 1e6;

    double best = 1e30, bestXxd = 1e30;
    long peak = 0;
    bool xxdOk = true;
    for (int r = 0; r < o.repeat; ++r) {
        const ChildRun run = runWriter(folder, o.pages);
        if (run.result != 0) {
            std::fprintf(stderr, "MakeRTFFile returned %d\n", run.result);
            return 1;
        }
        best = std::min(best, run.seconds);
        peak = std::max(peak, run.peakKiB);
        bool ok = true;
        bestXxd = std::min(bestXxd, runXxd(folder, o.pages, ok));
        xxdOk &= ok;
    }
    const auto documentBytes = std::filesystem::file_size(folder / "42.RTF");

    // The same document from small pages: the writer's peak should not move.
    const std::filesystem::path small = folder / "small";
    std::filesystem::create_directory(small);
    writePages(small, o.pages, 16 << 10);
    const ChildRun smallRun = runWriter(small, o.pages);

    std::printf("pages                 %d x %zu bytes (%.1f MB of page input)\n", o.pages, o.pageBytes, inputMB);
    std::printf("document              %.1f MB\n", static_cast<double>(documentBytes) / 1e6);
    std::printf("MakeRTFFile           %.3f s  %.0f MB/s (best of %d)\n", best, inputMB / best, o.repeat);
    std::printf("peak memory           %ld KiB with %zu-byte pages, %ld KiB with 16384-byte pages\n", peak, o.pageBytes,
                smallRun.peakKiB);
    if (xxdOk) {
        std::printf("xxd -p                %.3f s  %.0f MB/s (best of %d)\n", bestXxd, inputMB / bestXxd, o.repeat);
        std::printf("ratio                 %.1f x xxd -p\n", bestXxd / best);
    } else {
        std::printf("xxd -p                not available (install xxd)\n");
    }

    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return 0;
}
