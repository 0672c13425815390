#include "framework/core/launch.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace fw::core {

bool launchDetached(const std::string& program, const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    // An intermediate child starts the program and exits at once; we reap it
    // here, and the program, now an orphan, is reaped by init. That keeps the
    // caller free of zombies without a SIGCHLD handler of its own.
    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0)
        return false;
    const pid_t middle = fork();
    if (middle < 0) {
        close(ready[0]);
        close(ready[1]);
        return false;
    }
    if (middle == 0) {
        close(ready[0]);
        setsid();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        pid_t child = 0;
        const int rc = posix_spawnp(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
        const char answer = rc == 0 ? 1 : 0;
        [[maybe_unused]] const ssize_t n = write(ready[1], &answer, 1);
        _exit(0);
    }
    close(ready[1]);
    char answer = 0;
    ssize_t n;
    do {
        n = read(ready[0], &answer, 1);
    } while (n < 0 && errno == EINTR);
    close(ready[0]);
    while (waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
    }
    return n == 1 && answer == 1;
}

} // namespace fw::core
