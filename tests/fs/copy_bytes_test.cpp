// The byte transfer of a file copy: the kernel's own copy where it takes the
// two descriptors, the read and write loop where it refuses them, the same
// bytes either way.

#include "framework/fs/copy_bytes.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <functional>
#include <string>

#include "tests/support/temp_folder.h"

using fw::fs::detail::copyBytes;

namespace {

std::string pseudoRandomBytes(std::size_t n)
{
    std::string s(n, '\0');
    std::uint32_t state = 2024;
    for (char& c : s) {
        state = state * 1664525u + 1013904223u;
        c = static_cast<char>(state >> 24);
    }
    return s;
}

// A source descriptor and the bytes a copy from it must give.
struct Source {
    int fd = -1;
    std::string expected;
};

struct SourceCase {
    const char* name;
    std::function<Source(const std::filesystem::path& folder)> make;
    friend void PrintTo(const SourceCase& c, std::ostream* os) { *os << c.name; }
};

Source plainFile(const std::filesystem::path& folder, const std::string& bytes, off_t startAt)
{
    test_support::writeFile(folder / "source", bytes);
    Source s;
    s.fd = ::open((folder / "source").c_str(), O_RDONLY | O_CLOEXEC);
    ::lseek(s.fd, startAt, SEEK_SET);
    s.expected = bytes.substr(static_cast<std::size_t>(startAt));
    return s;
}

class CopyBytes : public test_support::TempFolderTest, public ::testing::WithParamInterface<SourceCase> {};

} // namespace

TEST_P(CopyBytes, CopiesEveryByteFromTheSourceOffsetOn)
{
    Source source = GetParam().make(m_folder);
    ASSERT_GE(source.fd, 0);
    const int destination = ::open(at("destination").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(destination, 0);
    EXPECT_EQ(copyBytes(source.fd, destination), 0);
    EXPECT_EQ(::lseek(destination, 0, SEEK_CUR), static_cast<off_t>(source.expected.size()))
        << "the destination's offset stands after the copied bytes";
    ::close(destination);
    ::close(source.fd);
    const std::string copied = contents(at("destination"));
    EXPECT_EQ(copied.size(), source.expected.size());
    EXPECT_TRUE(copied == source.expected) << "the copied bytes differ";
}

INSTANTIATE_TEST_SUITE_P(
    Sources, CopyBytes,
    ::testing::Values(
        SourceCase{"AnEmptyFile", [](const auto& folder) { return plainFile(folder, "", 0); }},
        SourceCase{"AFileOfSeveralMegabytes",
                   [](const auto& folder) { return plainFile(folder, pseudoRandomBytes((5 << 20) + 3), 0); }},
        SourceCase{"AFileFromItsCurrentOffset",
                   [](const auto& folder) { return plainFile(folder, pseudoRandomBytes(100000), 4097); }},
        // The kernel copies only between files; from a pipe the loop does it.
        // The pipe is made large enough to hold all of its bytes, so they
        // are in it, and its writing end closed, before the copy starts.
        SourceCase{"APipe",
                   [](const auto&) {
                       int ends[2];
                       Source s;
                       if (::pipe2(ends, O_CLOEXEC) != 0)
                           return s;
                       s.expected = pseudoRandomBytes(300000);
                       if (::fcntl(ends[1], F_SETPIPE_SZ, 1 << 19) >= static_cast<int>(s.expected.size()) &&
                           ::write(ends[1], s.expected.data(), s.expected.size()) ==
                               static_cast<ssize_t>(s.expected.size()))
                           s.fd = ends[0];
                       else
                           ::close(ends[0]);
                       ::close(ends[1]);
                       return s;
                   }},
        // Files of /proc give their size as 0 and yet have contents, and are
        // on a file system of their own.
        SourceCase{"AProcFileThatGivesItsSizeAsZero",
                   [](const auto&) {
                       Source s;
                       s.expected = test_support::readFile("/proc/version");
                       s.fd = ::open("/proc/version", O_RDONLY | O_CLOEXEC);
                       return s;
                   }}),
    [](const auto& info) { return std::string(info.param.name); });

struct FailureCase {
    const char* name;
    const char* destination; // relative: inside the test folder
    int flags;
    int error;
    friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }
};

class CopyBytesFailure : public test_support::TempFolderTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(CopyBytesFailure, GivesTheErrnoOfTheTransfer)
{
    const FailureCase& c = GetParam();
    write(at("source"), pseudoRandomBytes(70000));
    write(at("readonly"), "");
    const int source = ::open(at("source").c_str(), O_RDONLY | O_CLOEXEC);
    const std::string destinationPath = c.destination[0] == '/' ? c.destination : at(c.destination).string();
    const int destination = ::open(destinationPath.c_str(), c.flags | O_CLOEXEC);
    ASSERT_GE(source, 0);
    ASSERT_GE(destination, 0) << destinationPath;
    EXPECT_EQ(copyBytes(source, destination), c.error);
    ::close(source);
    ::close(destination);
}

INSTANTIATE_TEST_SUITE_P(Destinations, CopyBytesFailure,
                         ::testing::Values(FailureCase{"AFullDevice", "/dev/full", O_WRONLY, ENOSPC},
                                           FailureCase{"AFileOpenForReadingOnly", "readonly", O_RDONLY, EBADF}),
                         [](const auto& info) { return std::string(info.param.name); });
