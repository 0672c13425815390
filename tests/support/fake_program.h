#pragma once
// Stand-ins for programs the system starts (xdg-open, a mail opener): a
// shell script put first on PATH, and a FIFO the script writes what it was
// given into, read back with a watchdog that fails the test instead of
// hanging it.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "tests/support/temp_folder.h"

namespace test_support {

// How long a reader waits for a fake program before it gives up.
inline constexpr int fakeProgramWatchdogMs = 20000;

// The executable `name` in `bin` (made if missing) running `script` under
// /bin/sh, with `bin` first on PATH for the object's life.
class FakeProgram {
public:
    FakeProgram(const std::filesystem::path& bin, const std::string& name, const std::string& script)
        : m_path("PATH", bin.string() + ":" + currentPath())
    {
        std::filesystem::create_directories(bin);
        writeFile(bin / name, "#!/bin/sh\n" + script + "\n");
        std::filesystem::permissions(bin / name, std::filesystem::perms::owner_all);
    }

private:
    static std::string currentPath()
    {
        const char* path = std::getenv("PATH");
        return path ? path : "/usr/bin:/bin";
    }

    ScopedEnv m_path;
};

// A FIFO held open for reading and writing, so reading never sees an end
// between two runs of a fake that writes one line each time.
class LineRecorder {
public:
    explicit LineRecorder(std::filesystem::path fifo) : m_fifo(std::move(fifo))
    {
        if (::mkfifo(m_fifo.c_str(), 0666) != 0) {
            ADD_FAILURE() << "cannot make the FIFO " << m_fifo.string();
            return;
        }
        m_fd = ::open(m_fifo.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        if (m_fd < 0)
            ADD_FAILURE() << "cannot open the FIFO " << m_fifo.string();
    }
    ~LineRecorder()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    LineRecorder(const LineRecorder&) = delete;
    LineRecorder& operator=(const LineRecorder&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    const std::filesystem::path& path() const { return m_fifo; }

    // The next line written, without its newline; fails instead of hanging
    // when `what` never writes.
    std::string nextLine(const std::string& what)
    {
        std::string line;
        for (;;) {
            pollfd p{m_fd, POLLIN, 0};
            if (::poll(&p, 1, fakeProgramWatchdogMs) <= 0) {
                ADD_FAILURE() << what << " did not run";
                return line;
            }
            char c = 0;
            while (::read(m_fd, &c, 1) == 1) {
                if (c == '\n')
                    return line;
                line += c;
            }
        }
    }

private:
    std::filesystem::path m_fifo;
    int m_fd = -1;
};

// Reads what another process writes into the FIFO `p` until it closes it.
// poll() bounds the wait, so a fake that never runs fails the test instead
// of hanging it.
inline std::optional<std::string> readFifo(const std::filesystem::path& p)
{
    const int fd = ::open(p.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::string got;
    bool sawWriter = false;
    for (;;) {
        pollfd pfd{fd, POLLIN, 0};
        if (::poll(&pfd, 1, fakeProgramWatchdogMs) <= 0)
            break;
        char buffer[512];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            got.append(buffer, static_cast<std::size_t>(n));
            sawWriter = true;
            continue;
        }
        if (n == 0 && (sawWriter || (pfd.revents & POLLHUP))) {
            ::close(fd);
            return got;
        }
        if (n < 0 && errno != EAGAIN)
            break;
    }
    ::close(fd);
    return std::nullopt;
}

} // namespace test_support
