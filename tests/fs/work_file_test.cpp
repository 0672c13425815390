#include "framework/fs/work_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "framework/core/error_codes.h"
#include "tests/support/file_faults.h"
#include "tests/support/temp_folder.h"

using namespace fw::fs;
namespace Code = fw::core::ErrorCode;
using test_support::startWriting;

namespace {

class WorkFileTest : public test_support::TempFolderTest {
protected:
    void TearDown() override
    {
        failNthWriteForTesting(0);
        TempFolderTest::TearDown();
    }
};

} // namespace

TEST_F(WorkFileTest, TextLinesAreWrittenClippedThenCrLf)
{
    TextLineFile file;
    ASSERT_EQ(startWriting(file, systemFolder() + "body.html"), 0);
    const char* lines[] = {"first line   ", "", "  leading kept", "tab\there "};
    for (const char* line : lines) {
        file.LINE = line;
        ASSERT_EQ(file.append(), 0);
    }
    EXPECT_EQ(file.bytes(), 40);
    ASSERT_EQ(file.close(), 0);
    EXPECT_EQ(contents(at("body.html")), "first line\r\n\r\n  leading kept\r\ntab\there\r\n");
}

TEST_F(WorkFileTest, ReadingLinesGivesEachLinePaddedThenNoFurtherRecord)
{
    // A line of exactly the record's width is one record; a longer one goes
    // on in the next record; a bare CR is an ordinary character; a last line
    // without its end still counts.
    const std::string exact(8, 'x');
    write(at("in.txt"), "ab\r\n" + exact + "\r\n" + "0123456789AB\n" + "c\rd\r\n" + "\r\n" + "tail");
    BasicTextLineFile<8> file;
    file.name = systemFolder() + "in.txt";
    ASSERT_EQ(file.open(), 0);
    ASSERT_EQ(file.setToStart(), 0);
    std::vector<std::string> records;
    int rc = 0;
    while ((rc = file.next()) == 0)
        records.push_back(file.LINE.str());
    EXPECT_EQ(rc, Code::NoFurtherRecord);
    const std::vector<std::string> expected = {"ab      ",  exact,      "01234567", "89AB    ",
                                               "c\rd     ", "        ", "tail    "};
    EXPECT_EQ(records, expected);
    EXPECT_EQ(file.next(), Code::NoFurtherRecord);
    ASSERT_EQ(file.setToStart(), 0);
    ASSERT_EQ(file.next(), 0);
    EXPECT_EQ(file.LINE.str(), "ab      ");
    EXPECT_EQ(file.close(), 0);
}

TEST_F(WorkFileTest, ByteRecordsRoundTripSingleAndBulk)
{
    ByteFile file;
    ASSERT_EQ(startWriting(file, systemFolder() + "doc.rtf"), 0);
    std::string expected;
    for (int i = 0; i < 256; ++i) {
        file.LINE.data()[0] = static_cast<char>(i);
        ASSERT_EQ(file.append(), 0);
        expected += static_cast<char>(i);
    }
    const std::string bulk(200000, 'z'); // larger than any buffer
    ASSERT_TRUE(file.write(bulk));
    expected += bulk;
    EXPECT_EQ(file.bytes(), static_cast<std::int64_t>(expected.size()));

    // Reading back through the same open sees every appended byte in order.
    ASSERT_EQ(file.setToStart(), 0);
    std::string back;
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(file.next(), 0);
        back += file.LINE.data()[0];
    }
    std::vector<char> chunk(70000);
    for (;;) {
        const auto n = file.read(chunk);
        ASSERT_TRUE(n) << n.error().text();
        if (*n == 0)
            break;
        back.append(chunk.data(), *n);
    }
    EXPECT_EQ(back, expected);
    EXPECT_EQ(file.next(), Code::NoFurtherRecord);
    ASSERT_EQ(file.close(), 0);
    EXPECT_EQ(contents(at("doc.rtf")), expected);
}

TEST_F(WorkFileTest, TheNameIsReadAtEveryUse)
{
    ByteFile file;
    ASSERT_EQ(startWriting(file, "one.bin"), 0);
    file.LINE = "1";
    ASSERT_EQ(file.append(), 0);
    file.name = "two.bin"; // renaming an open file changes nothing until the next open
    file.LINE = "2";
    ASSERT_EQ(file.append(), 0);
    ASSERT_EQ(file.close(), 0);
    ASSERT_EQ(startWriting(file, "two.bin"), 0);
    file.LINE = "3";
    ASSERT_EQ(file.append(), 0);
    ASSERT_EQ(file.close(), 0);
    EXPECT_EQ(contents(at("one.bin")), "12");
    EXPECT_EQ(contents(at("two.bin")), "3");
}

TEST_F(WorkFileTest, RemoveOfAMissingFileIsNoErrorAndCreateEmptiesAFile)
{
    ByteFile file;
    file.name = systemFolder() + "absent.bin";
    EXPECT_EQ(file.remove(), 0);
    write(at("full.bin"), "old bytes");
    file.name = systemFolder() + "full.bin";
    ASSERT_EQ(file.create(), 0);
    // The old bytes stay until the new, empty file is complete.
    EXPECT_EQ(contents(at("full.bin")), "old bytes");
    ASSERT_EQ(file.open(), 0);
    ASSERT_EQ(file.close(), 0);
    EXPECT_EQ(contents(at("full.bin")), "");
    EXPECT_EQ(test_support::fileNames(m_folder), std::vector<std::string>{"full.bin"});
}

struct OpenFailureCase {
    const char* name;
    const char* fileName;
    int expected;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const OpenFailureCase& row, std::ostream* os) { *os << row.name; }

class WorkFileOpenFailure : public WorkFileTest, public ::testing::WithParamInterface<OpenFailureCase> {};

TEST_P(WorkFileOpenFailure, ReportsTheFrameworkCode)
{
    std::filesystem::create_directory(at("sub"));
    ByteFile file;
    file.name = GetParam().fileName;
    EXPECT_EQ(file.open(), GetParam().expected);
    EXPECT_FALSE(file.isOpen());
}

INSTANTIATE_TEST_SUITE_P(Names, WorkFileOpenFailure,
                         ::testing::Values(OpenFailureCase{"MissingFile", "missing.wmf", Code::FileNotFound},
                                           OpenFailureCase{"MissingFolder", "nofolder\\x.wmf", Code::PathNotFound},
                                           OpenFailureCase{"Folder", "sub", Code::AccessDenied},
                                           OpenFailureCase{"BlankName", "   ", Code::FileNotFound}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WorkFileTest, CreatingInAMissingFolderFails)
{
    ByteFile file;
    file.name = "nofolder\\x.wmf";
    EXPECT_EQ(file.create(), Code::PathNotFound);
}

TEST_F(WorkFileTest, AFileWithoutWriteBitsIsReadOnlyEvenForRoot)
{
    write(at("locked.wmf"), "data");
    std::filesystem::permissions(at("locked.wmf"), std::filesystem::perms::owner_read |
                                                       std::filesystem::perms::group_read |
                                                       std::filesystem::perms::others_read);
    ByteFile file;
    file.name = "locked.wmf";
    EXPECT_EQ(file.open(OpenMode::ReadWriteDenyWrite), Code::AccessDenied);
    EXPECT_EQ(file.remove(), Code::AccessDenied);
    EXPECT_EQ(file.create(), Code::AccessDenied);
    EXPECT_EQ(contents(at("locked.wmf")), "data");
    ASSERT_EQ(file.open(OpenMode::ReadOnly), 0);
    ASSERT_EQ(file.next(), 0);
    EXPECT_EQ(file.LINE.view(), "d");
    file.LINE = "x";
    EXPECT_EQ(file.append(), Code::AccessDenied);
    EXPECT_EQ(file.close(), 0);
}

TEST_F(WorkFileTest, ASecondWriterIsRefusedWhileReadersMayOpen)
{
    // The holder writes a new shared.rtf; readers see the earlier one until
    // the new one is closed.
    write(at("shared.rtf"), "earlier");
    ByteFile holder;
    ASSERT_EQ(startWriting(holder, "shared.rtf"), 0);

    ByteFile second;
    second.name = "SHARED.RTF";
    EXPECT_EQ(second.open(OpenMode::ReadWriteDenyWrite), Code::AccessDenied);
    EXPECT_EQ(second.open(OpenMode::ReadWrite), Code::AccessDenied);
    EXPECT_EQ(second.open(OpenMode::DenyWrite), Code::AccessDenied);
    EXPECT_EQ(second.remove(), Code::AccessDenied);
    EXPECT_EQ(second.create(), Code::AccessDenied);
    ASSERT_EQ(second.open(OpenMode::ReadOnly), 0);
    EXPECT_EQ(second.bytes(), 7);
    EXPECT_EQ(second.close(), 0);

    ASSERT_EQ(holder.close(), 0);
    ASSERT_EQ(second.open(OpenMode::ReadWriteDenyWrite), 0);
    EXPECT_EQ(second.close(), 0);
}

TEST_F(WorkFileTest, ASecondWriterInAnotherProcessIsRefused)
{
    write(at("shared.rtf"), "earlier");
    ByteFile holder;
    ASSERT_EQ(startWriting(holder, "shared.rtf"), 0);
    int status = 0;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ByteFile other;
        other.name = "shared.rtf";
        const int writer = other.open(OpenMode::ReadWriteDenyWrite);
        const int reader = other.open(OpenMode::ReadOnly);
        _exit(writer == Code::AccessDenied && reader == 0 ? 0 : 1);
    }
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(holder.close(), 0);
}

TEST_F(WorkFileTest, NamesResolveWithoutRegardToCase)
{
    write(at("423.wmf"), "page");
    ByteFile file;
    file.name = systemFolder() + "423.WMF";
    ASSERT_EQ(file.open(), 0);
    EXPECT_EQ(file.bytes(), 4);
    EXPECT_EQ(file.close(), 0);

    // Creating under another case replaces the existing file, not a twin.
    file.name = systemFolder() + "423.Wmf";
    ASSERT_EQ(file.create(), 0);
    ASSERT_EQ(file.open(), 0);
    file.LINE = "n";
    ASSERT_EQ(file.append(), 0);
    ASSERT_EQ(file.close(), 0);
    EXPECT_EQ(contents(at("423.wmf")), "n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder), {}), 1);
}

TEST_F(WorkFileTest, AnInjectedWriteFailureIsReportedAndAtClose)
{
    ByteFile file;
    ASSERT_EQ(startWriting(file, "full.bin"), 0);
    failNthWriteForTesting(3);
    file.LINE = "a";
    EXPECT_EQ(file.append(), 0);
    EXPECT_TRUE(file.write(std::string("bc")));
    EXPECT_EQ(file.append(), Code::FileSystemError);
    EXPECT_EQ(file.append(), 0); // only the third write fails
    EXPECT_EQ(file.close(), Code::FileSystemError);
}

TEST_F(WorkFileTest, OperationsOnAClosedFileSayItIsNotOpen)
{
    TextLineFile file;
    EXPECT_EQ(file.next(), Code::FileNotOpen);
    EXPECT_EQ(file.append(), Code::FileNotOpen);
    EXPECT_EQ(file.setToStart(), Code::FileNotOpen);
    EXPECT_EQ(file.close(), Code::FileNotOpen);
    const auto size = file.bytes();
    ASSERT_FALSE(size);
    EXPECT_EQ(size.error().code, Code::FileNotOpen);
    ByteFile bytes;
    bytes.name = "never.bin";
    std::vector<char> block(4);
    const auto read = bytes.read(block);
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error().text(), "Work file: never.bin is not open");
    EXPECT_EQ(read.error().code, Code::FileNotOpen);
    const auto written = bytes.write(block);
    ASSERT_FALSE(written);
    EXPECT_EQ(written.error().code, Code::FileNotOpen);
}

TEST(WorkFileDiskFull, AWriteToAFullDeviceIsReportedAtClose)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    ByteFile file;
    file.name = "/dev/full";
    ASSERT_EQ(file.open(OpenMode::ReadWrite), 0);
    file.LINE = "x";
    EXPECT_EQ(file.append(), 0); // buffered
    EXPECT_EQ(file.close(), Code::FileSystemError);
}

TEST_F(WorkFileTest, AReadErrorIsNotTheEndOfTheFile)
{
    // A FIFO opens like a file, but reading it by position fails.
    ASSERT_EQ(::mkfifo(at("pipe").c_str(), 0666), 0);
    ByteFile bytes;
    bytes.name = "pipe";
    ASSERT_EQ(bytes.open(), 0);
    std::vector<char> block(16);
    const auto read = bytes.read(block);
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error().code, Code::FileSystemError);
    EXPECT_EQ(bytes.lastError().text(), read.error().text());
    EXPECT_EQ(bytes.next(), Code::FileSystemError);
    EXPECT_EQ(bytes.close(), 0);
    TextLineFile lines;
    lines.name = "pipe";
    ASSERT_EQ(lines.open(), 0);
    EXPECT_EQ(lines.next(), Code::FileSystemError);
    EXPECT_EQ(lines.close(), 0);
}
