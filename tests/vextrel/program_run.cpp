#include "tests/vextrel/program_run.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string_view>
#include <thread>

#include "tests/support/temp_folder.h"

extern char** environ;

namespace {

constexpr std::string_view Binary = REPORTMAIL_BINARY_DIR "/cmdmailer/program/vextrel";
constexpr std::chrono::seconds Watchdog{60};

bool dropped(std::string_view entry)
{
    for (std::string_view name :
         {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=", "TMPDIR=", "XDG_RUNTIME_DIR=", "LSAN_OPTIONS="})
        if (entry.starts_with(name))
            return true;
    return false;
}

} // namespace

ProgramRun runVextrel(const std::vector<std::string>& arguments, const std::filesystem::path& folder,
                      const std::filesystem::path& temporaryFolder)
{
    const pid_t pid = startVextrel(arguments, folder, temporaryFolder);
    if (pid < 0)
        return ProgramRun{};
    return waitForVextrel(pid, temporaryFolder);
}

pid_t startVextrel(const std::vector<std::string>& arguments, const std::filesystem::path& folder,
                   const std::filesystem::path& temporaryFolder)
{
    // Everything the child needs is prepared before the fork: after it only
    // calls that are safe in a child of a threaded process are made.
    const std::filesystem::path outFile = temporaryFolder / "vextrel.stdout";
    const std::filesystem::path errFile = temporaryFolder / "vextrel.stderr";
    const std::string outPath = outFile.string();
    const std::string errPath = errFile.string();
    const std::string folderPath = folder.string();

    std::vector<std::string> argumentTexts{std::string(Binary)};
    argumentTexts.insert(argumentTexts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& a : argumentTexts)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    std::vector<std::string> environmentTexts;
    for (char** e = environ; *e != nullptr; ++e)
        if (!dropped(*e))
            environmentTexts.emplace_back(*e);
    // The report's page folders go here, where the test can see them go.
    environmentTexts.push_back("TMPDIR=" + (temporaryFolder / "pages").string());
    std::filesystem::create_directories(temporaryFolder / "pages");
    // Qt keeps its runtime folder apart, so the page folder shows only pages.
    const std::filesystem::path runtime = temporaryFolder / "runtime";
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    environmentTexts.push_back("XDG_RUNTIME_DIR=" + runtime.string());
    // Under LeakSanitizer the list of suppressions used would end up in the
    // standard error the tests compare.
    const char* leakOptions = std::getenv("LSAN_OPTIONS");
    environmentTexts.push_back("LSAN_OPTIONS=" + std::string(leakOptions && *leakOptions ? leakOptions : "") +
                               (leakOptions && *leakOptions ? ":" : "") + "print_suppressions=0");
    std::vector<char*> envp;
    for (std::string& e : environmentTexts)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    const pid_t pid = ::fork();
    if (pid == 0) {
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || err < 0 || ::chdir(folderPath.c_str()) != 0)
            ::_exit(127);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    return pid;
}

ProgramRun waitForVextrel(pid_t pid, const std::filesystem::path& temporaryFolder)
{
    const std::filesystem::path outFile = temporaryFolder / "vextrel.stdout";
    const std::filesystem::path errFile = temporaryFolder / "vextrel.stderr";
    ProgramRun run;

    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (!ended.wait_for(lock, Watchdog, [&] { return done; })) {
            run.timedOut = true;
            ::kill(pid, SIGKILL);
        }
    });
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    {
        std::lock_guard lock(mutex);
        done = true;
    }
    ended.notify_one();
    watchdog.join();

    if (WIFEXITED(status))
        run.exitStatus = WEXITSTATUS(status);
    run.standardOutput = test_support::readFile(outFile);
    run.standardError = test_support::readFile(errFile);
    std::filesystem::remove(outFile);
    std::filesystem::remove(errFile);
    return run;
}
