#include "framework/core/launch.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

extern char** environ;

namespace fw::core {

namespace {

// What the intermediate child tells its parent through the pipe.
struct Report {
    LaunchOutcome::State state;
    int code;
};

std::vector<char*> argumentVector(const std::string& program, const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    return argv;
}

std::int64_t millisecondsNow()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// The intermediate child: starts the program in a session of its own, then
// watches it for `graceMs` (0: not at all) and reports, and exits. The
// program, if still running, is an orphan from then on and init reaps it.
// Only calls that are safe after fork() in a threaded process are made.
[[noreturn]] void startAndReport(const std::string& program, char* const* argv, int reportFd, int graceMs)
{
    setsid();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    pid_t child = 0;
    Report report{LaunchOutcome::State::NotStarted, 0};
    if (posix_spawnp(&child, program.c_str(), &actions, nullptr, argv, environ) == 0) {
        report.state = LaunchOutcome::State::Running;
        const std::int64_t end = millisecondsNow() + graceMs;
        for (;;) {
            int status = 0;
            const pid_t ended = waitpid(child, &status, WNOHANG);
            if (ended == child) {
                report = WIFSIGNALED(status) ? Report{LaunchOutcome::State::Killed, WTERMSIG(status)}
                                             : Report{LaunchOutcome::State::Exited, WEXITSTATUS(status)};
                break;
            }
            if (ended < 0 && errno != EINTR)
                break;
            const std::int64_t left = end - millisecondsNow();
            if (left <= 0)
                break;
            poll(nullptr, 0, static_cast<int>(left < 10 ? left : 10));
        }
    }
    [[maybe_unused]] const ssize_t n = write(reportFd, &report, sizeof report);
    _exit(0);
}

LaunchOutcome launch(const std::string& program, const std::vector<std::string>& arguments, int graceMs)
{
    std::vector<char*> argv = argumentVector(program, arguments);

    // An intermediate child starts the program and exits once it has said
    // how the start went; we reap it here, and the program, now an orphan,
    // is reaped by init. That keeps the caller free of zombies without a
    // SIGCHLD handler of its own.
    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0)
        return {};
    const pid_t middle = fork();
    if (middle < 0) {
        close(ready[0]);
        close(ready[1]);
        return {};
    }
    if (middle == 0) {
        close(ready[0]);
        startAndReport(program, argv.data(), ready[1], graceMs);
    }
    close(ready[1]);
    Report report{LaunchOutcome::State::NotStarted, 0};
    ssize_t n;
    do {
        n = read(ready[0], &report, sizeof report);
    } while (n < 0 && errno == EINTR);
    close(ready[0]);
    while (waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
    }
    if (n != static_cast<ssize_t>(sizeof report))
        return {};
    return {report.state, report.code};
}

} // namespace

Expected<void> launchDetached(const std::string& program, const std::vector<std::string>& arguments)
{
    if (launch(program, arguments, 0).state == LaunchOutcome::State::NotStarted)
        return fail(std::string(LaunchLayer), program + " could not be started");
    return {};
}

LaunchOutcome launchWatched(const std::string& program, const std::vector<std::string>& arguments,
                            std::chrono::milliseconds grace)
{
    return launch(program, arguments, static_cast<int>(grace.count() > 0 ? grace.count() : 0));
}

Expected<std::string> runForOutput(const std::string& program, const std::vector<std::string>& arguments,
                                   std::chrono::milliseconds timeout)
{
    const auto failure = [&program](std::string what) { return fail(std::string(LaunchLayer), program + " " + what); };
    std::vector<char*> argv = argumentVector(program, arguments);
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0)
        return failure(std::string("could not be started: ") + std::strerror(errno));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return failure("could not be started");
    }

    std::string output;
    bool ended = false;
    const std::int64_t end = millisecondsNow() + timeout.count();
    for (;;) {
        const std::int64_t left = end - millisecondsNow();
        if (left <= 0)
            break;
        pollfd p{out[0], POLLIN, 0};
        const int ready = poll(&p, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        char buffer[4096];
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ended = n == 0;
            break;
        }
        output.append(buffer, static_cast<std::size_t>(n));
    }
    close(out[0]);
    if (!ended)
        kill(child, SIGKILL);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!ended)
        return failure("did not end within " + std::to_string(timeout.count()) + " ms");
    if (WIFSIGNALED(status))
        return failure("was ended by signal " + std::to_string(WTERMSIG(status)));
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return failure("ended with exit status " + std::to_string(WEXITSTATUS(status)));
    return output;
}

} // namespace fw::core
