// Writing never destroys: every way a write of the framework's files can
// fail leaves the earlier file as it was and no temporary behind, and names
// that are not files are never removed or replaced.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "framework/core/error_codes.h"
#include "framework/fs/fault_seams.h"
#include "framework/fs/file_ops.h"
#include "framework/fs/leftovers.h"
#include "framework/fs/staged_file.h"
#include "framework/fs/work_file.h"
#include "tests/support/file_faults.h"
#include "tests/support/small_disk.h"
#include "tests/support/temp_folder.h"

using namespace fw::fs;
namespace Code = fw::core::ErrorCode;
namespace fs = std::filesystem;
using test_support::startWriting;

namespace {

class StagedWriting : public test_support::TempFolderTest {
protected:
    void TearDown() override
    {
        test_support::disarmFileFaults();
        TempFolderTest::TearDown();
    }

    // A process that has ended and been reaped: its number names no process.
    static pid_t deadProcess()
    {
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(0);
        ::waitpid(child, nullptr, 0);
        return child;
    }
};

enum class Writer { TextLines, Bytes, Copy };
enum class Fault { Write, Close, Rename, FullDisk };

struct FaultRow {
    const char* name;
    Writer writer;
    Fault fault;
    std::string message; // the error text, after the layer and before the file's path
    std::string reason;  // what follows the path
};

void PrintTo(const FaultRow& row, std::ostream* os) { *os << row.name; }

class StagedWritingFault : public StagedWriting, public ::testing::WithParamInterface<FaultRow> {
protected:
    // Writes 200 KB as the row's writer does; the error if it failed.
    std::optional<std::string> writeNew(const std::string& folder)
    {
        const std::string line(99, 'n');
        const std::string target = folder + "/body.html";
        switch (GetParam().writer) {
        case Writer::TextLines: {
            TextLineFile file;
            if (startWriting(file, test_support::backslashed(target)) != 0)
                return file.lastError().text();
            // A failed write is the row's fault; close() reports it.
            for (int i = 0; i < 2000; ++i)
                (void)file.append(line);
            if (file.close() != 0)
                return file.lastError().text();
            return std::nullopt;
        }
        case Writer::Bytes: {
            ByteFile file;
            if (startWriting(file, target) != 0)
                return file.lastError().text();
            (void)file.write(std::string(200000, 'b')); // close() reports a failed write
            if (file.close() != 0)
                return file.lastError().text();
            return std::nullopt;
        }
        case Writer::Copy: {
            write(at("source.bin"), std::string(200000, 'c'));
            auto copied = copyFile(systemFolder() + "source.bin", target);
            if (!copied)
                return copied.error().text();
            return std::nullopt;
        }
        }
        return std::nullopt;
    }
};

TEST_P(StagedWritingFault, LeavesTheEarlierFileAndNoTemporary)
{
    const FaultRow& row = GetParam();
    const fs::path folder = at("disk");
    std::optional<test_support::SmallDisk> disk;
    if (row.fault == Fault::FullDisk) {
        disk.emplace(folder, 64);
        if (!disk->mounted())
            GTEST_SKIP() << disk->why();
    } else {
        fs::create_directory(folder);
    }
    write(folder / "body.html", "earlier");

    switch (row.fault) {
    case Fault::Write:
        failNthWriteForTesting(1);
        break;
    case Fault::Close:
        failNthCloseForTesting(1);
        break;
    case Fault::Rename:
        failNthRenameForTesting(1);
        break;
    case Fault::FullDisk:
        break;
    }
    const auto failure = writeNew(folder.string());
    ASSERT_TRUE(failure) << "the write was reported as done";
    const std::string layer = row.writer == Writer::Copy ? "File system: " : "Work file: ";
    EXPECT_EQ(*failure, layer + row.message + " " + (folder / "body.html").string() + row.reason);
    EXPECT_EQ(contents(folder / "body.html"), "earlier");
    EXPECT_EQ(test_support::fileNames(folder), std::vector<std::string>{"body.html"});

    if (row.fault != Fault::FullDisk) {
        // The seam has fired; the same write now goes through.
        ASSERT_EQ(writeNew(folder.string()), std::nullopt);
        EXPECT_EQ(fs::file_size(folder / "body.html"), row.writer == Writer::TextLines ? 202000u : 200000u);
        EXPECT_EQ(test_support::fileNames(folder), std::vector<std::string>{"body.html"});
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Faults, StagedWritingFault,
    ::testing::Values(
        FaultRow{"TextLinesWriteFails", Writer::TextLines, Fault::Write, "cannot write", ": No space left on device"},
        FaultRow{"TextLinesCloseFails", Writer::TextLines, Fault::Close, "cannot write", ": Input/output error"},
        FaultRow{"TextLinesRenameFails", Writer::TextLines, Fault::Rename, "cannot put", " in place: Input/output error"},
        FaultRow{"TextLinesOnAFullDisk", Writer::TextLines, Fault::FullDisk, "cannot write", ": No space left on device"},
        FaultRow{"BytesWriteFails", Writer::Bytes, Fault::Write, "cannot write", ": No space left on device"},
        FaultRow{"BytesCloseFails", Writer::Bytes, Fault::Close, "cannot write", ": Input/output error"},
        FaultRow{"BytesRenameFails", Writer::Bytes, Fault::Rename, "cannot put", " in place: Input/output error"},
        FaultRow{"BytesOnAFullDisk", Writer::Bytes, Fault::FullDisk, "cannot write", ": No space left on device"},
        FaultRow{"CopyWriteFails", Writer::Copy, Fault::Write, "cannot copy to", ": No space left on device"},
        FaultRow{"CopyCloseFails", Writer::Copy, Fault::Close, "cannot write", ": Input/output error"},
        FaultRow{"CopyRenameFails", Writer::Copy, Fault::Rename, "cannot put", " in place: Input/output error"},
        FaultRow{"CopyOnAFullDisk", Writer::Copy, Fault::FullDisk, "cannot copy to", ": No space left on device"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// Names that hold something other than a file.
enum class Kind { Fifo, Device, Socket, Folder };

struct KindRow {
    const char* name;
    Kind kind;
    const char* what;
};

void PrintTo(const KindRow& row, std::ostream* os) { *os << row.name; }

class NotAFile : public StagedWriting, public ::testing::WithParamInterface<KindRow> {
protected:
    // Makes the row's kind at `path`; false when this machine does not let us.
    static bool make(Kind kind, const fs::path& path)
    {
        switch (kind) {
        case Kind::Fifo:
            return ::mkfifo(path.c_str(), 0666) == 0;
        case Kind::Device: // a twin of /dev/null, which only root may make
            return ::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
        case Kind::Socket: {
            const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            path.string().copy(address.sun_path, sizeof address.sun_path - 1);
            const bool bound = ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
            ::close(s);
            return bound;
        }
        case Kind::Folder:
            return fs::create_directory(path);
        }
        return false;
    }

    static fs::file_type typeOf(Kind kind)
    {
        switch (kind) {
        case Kind::Fifo:
            return fs::file_type::fifo;
        case Kind::Device:
            return fs::file_type::character;
        case Kind::Socket:
            return fs::file_type::socket;
        case Kind::Folder:
            return fs::file_type::directory;
        }
        return fs::file_type::none;
    }
};

TEST_P(NotAFile, IsNeitherRemovedNorReplaced)
{
    const KindRow& row = GetParam();
    // A socket's path must be short: it lives in a folder of its own.
    const fs::path path = at("x");
    if (!make(row.kind, path))
        GTEST_SKIP() << "cannot make " << row.what << " here: " << std::strerror(errno);
    const std::string refusal = path.string() + " is " + row.what;
    write(at("source.bin"), "bytes");

    TextLineFile file;
    file.name = "x";
    EXPECT_EQ(file.remove(), Code::AccessDenied);
    EXPECT_EQ(file.lastError().text(), "Work file: x is " + std::string(row.what));
    EXPECT_EQ(file.create(), Code::AccessDenied);
    EXPECT_EQ(file.lastError().text(), "Work file: x is " + std::string(row.what));

    const auto removed = removeFile(path.string());
    ASSERT_FALSE(removed);
    EXPECT_EQ(removed.error().code, Code::AccessDenied);
    EXPECT_EQ(removed.error().text(), "File system: " + refusal);
    const auto copied = copyFile("source.bin", path.string());
    ASSERT_FALSE(copied);
    EXPECT_EQ(copied.error().code, Code::AccessDenied);
    EXPECT_EQ(copied.error().text(), "File system: " + refusal);

    EXPECT_EQ(fs::symlink_status(path).type(), typeOf(row.kind));
    EXPECT_EQ(test_support::fileNames(m_folder), (std::vector<std::string>{"source.bin", "x"}));
}

INSTANTIATE_TEST_SUITE_P(Kinds, NotAFile,
                         ::testing::Values(KindRow{"Fifo", Kind::Fifo, "a FIFO, not a file"},
                                           KindRow{"Device", Kind::Device, "a device, not a file"},
                                           KindRow{"Socket", Kind::Socket, "a socket, not a file"},
                                           KindRow{"Folder", Kind::Folder, "a folder"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StagedWriting, ASymbolicLinkIsReplacedAndRemovedAsALink)
{
    write(at("target.txt"), "pointed at");
    fs::create_symlink("target.txt", at("link.txt"));
    TextLineFile file;
    ASSERT_EQ(startWriting(file, "link.txt"), 0);
    ASSERT_EQ(file.append(std::string_view("new")), 0);
    ASSERT_EQ(file.close(), 0);
    EXPECT_EQ(fs::symlink_status(at("link.txt")).type(), fs::file_type::regular);
    EXPECT_EQ(contents(at("link.txt")), "new\r\n");
    EXPECT_EQ(contents(at("target.txt")), "pointed at");

    fs::create_symlink("/dev/null", at("null"));
    ASSERT_TRUE(removeFile("null"));
    EXPECT_FALSE(fs::exists(fs::symlink_status(at("null"))));
    EXPECT_TRUE(fs::exists("/dev/null"));
}

TEST_F(StagedWriting, ASecondWriterOfANewNameIsRefusedUntilTheFirstIsDone)
{
    ByteFile first;
    ASSERT_EQ(startWriting(first, "new.rtf"), 0);
    EXPECT_FALSE(fs::exists(at("new.rtf")));

    ByteFile second;
    second.name = "NEW.RTF";
    EXPECT_EQ(second.remove(), 0); // nothing there yet
    EXPECT_EQ(second.create(), Code::AccessDenied);
    EXPECT_EQ(second.lastError().text(), "Work file: NEW.RTF is being written");
    write(at("other.rtf"), "x");
    const auto copied = copyFile("other.rtf", "new.rtf");
    ASSERT_FALSE(copied);
    EXPECT_EQ(copied.error().code, Code::AccessDenied);

    ASSERT_EQ(first.close(), 0);
    EXPECT_EQ(contents(at("new.rtf")), "");
    EXPECT_TRUE(copyFile("other.rtf", "new.rtf"));
    EXPECT_EQ(contents(at("new.rtf")), "x");
}

TEST_F(StagedWriting, ARemovalThatNoCreationFollowsHappensAtTheNextStep)
{
    write(at("a.txt"), "a");
    write(at("b.txt"), "b");
    {
        ByteFile file;
        file.name = "a.txt";
        ASSERT_EQ(file.remove(), 0);
        EXPECT_EQ(file.open(), Code::FileNotFound); // removed, then looked for
        file.name = "b.txt";
        ASSERT_EQ(file.remove(), 0);
    } // and when the work file ends
    EXPECT_EQ(test_support::fileNames(m_folder), std::vector<std::string>{});
}

TEST_F(StagedWriting, DiscardKeepsTheEarlierFile)
{
    write(at("doc.rtf"), "complete");
    ByteFile file;
    ASSERT_EQ(startWriting(file, "doc.rtf"), 0);
    ASSERT_TRUE(file.write(std::string("half a docu")));
    ASSERT_EQ(file.discard(), 0);
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(contents(at("doc.rtf")), "complete");
    EXPECT_EQ(test_support::fileNames(m_folder), std::vector<std::string>{"doc.rtf"});
}

TEST_F(StagedWriting, APathLongerThanTheNameIsNeverCut)
{
    TextLineFile file;
    file.name = "earlier.txt";
    const std::string exact(256, 'a');
    EXPECT_TRUE(file.setName(exact + "   "));
    EXPECT_EQ(file.name.clipped(), exact);
    const auto tooLong = file.setName(std::string(300, 'b'));
    ASSERT_FALSE(tooLong);
    EXPECT_EQ(tooLong.error().text(),
              "Work file: the path is 300 characters long, more than the 256 that a file name holds");
    EXPECT_EQ(tooLong.error().code, Code::PathNotFound);
    EXPECT_TRUE(file.name.isBlank());
    EXPECT_EQ(file.lastError().text(),
              "Work file: the path is 300 characters long, more than the 256 that a file name holds");
    EXPECT_EQ(file.create(), Code::PathNotFound);
    EXPECT_EQ(file.open(), Code::FileNotFound);
}

TEST_F(StagedWriting, TemporariesOfDeadRunsGoAtTheNextWriteInTheirFolder)
{
    const long dead = deadProcess();
    const std::string leftover = detail::temporaryName("kr12.html", dead, 1);
    const std::string journal = detail::temporaryName("GOODS.sqlite", dead, 2) + "-journal";
    const std::string notOurs = ".~reportmail-x~kr12.html";
    const std::string fifo = detail::temporaryName("pipe", dead, 3);
    write(at(leftover), "cut");
    write(at(journal), "cut");
    write(at(notOurs), "someone else's");
    ASSERT_EQ(::mkfifo(at(fifo).c_str(), 0666), 0);

    // A live writer in another process: it holds its temporary open.
    int ready[2];
    int release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t writer = ::fork();
    if (writer == 0) {
        ByteFile file;
        const bool started = startWriting(file, "live.rtf") == 0 && file.write(std::string("half"));
        char c = started ? 'y' : 'n';
        (void)!::write(ready[1], &c, 1);
        (void)!::read(release[0], &c, 1);
        ::_exit(file.close() == 0 ? 0 : 1);
    }
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, 'y');
    // A temporary of a live process that no opener holds (SQLite's journal
    // of a data file being created) stays as well.
    const std::string liveJournal = detail::temporaryName("CUSTOMER.sqlite", writer, 9) + "-journal";
    write(at(liveJournal), "in use");

    write(at("kr12.html"), "earlier");
    TextLineFile file;
    ASSERT_EQ(startWriting(file, "kr12.html"), 0);
    ASSERT_EQ(file.append(std::string_view("new")), 0);
    ASSERT_EQ(file.close(), 0);

    std::vector<std::string> names = test_support::fileNames(m_folder);
    EXPECT_EQ(std::ranges::count(names, leftover), 0);
    EXPECT_EQ(std::ranges::count(names, journal), 0);
    EXPECT_EQ(std::ranges::count(names, notOurs), 1);
    EXPECT_EQ(std::ranges::count(names, fifo), 1);
    EXPECT_EQ(std::ranges::count(names, liveJournal), 1);
    const auto liveOfTheWriter = [&](const std::string& n) {
        return detail::temporaryWriter(n) == writer && n.ends_with("~live.rtf");
    };
    EXPECT_EQ(std::ranges::count_if(names, liveOfTheWriter), 1);
    EXPECT_EQ(contents(at("kr12.html")), "new\r\n");

    (void)!::write(release[1], "x", 1);
    int status = 0;
    ASSERT_EQ(::waitpid(writer, &status, 0), writer);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(contents(at("live.rtf")), "half");
}

TEST_F(StagedWriting, AWriterKilledHalfwayLeavesTheEarlierFileAndTheNextRunClearsUp)
{
    write(at("doc.rtf"), "the earlier document");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t writer = ::fork();
    if (writer == 0) {
        ByteFile file;
        if (startWriting(file, "doc.rtf") != 0)
            ::_exit(1);
        if (!file.write(std::string(300000, 'h')))
            ::_exit(1);
        (void)!::write(ready[1], "y", 1);
        ::pause();
        ::_exit(1);
    }
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    ASSERT_EQ(::kill(writer, SIGKILL), 0);
    ASSERT_EQ(::waitpid(writer, nullptr, 0), writer);

    EXPECT_EQ(contents(at("doc.rtf")), "the earlier document");
    ASSERT_EQ(test_support::fileNames(m_folder).size(), 2u) << "the killed writer's temporary";

    ByteFile file;
    ASSERT_EQ(startWriting(file, "doc.rtf"), 0);
    ASSERT_TRUE(file.write(std::string("the new one")));
    ASSERT_EQ(file.close(), 0);
    EXPECT_EQ(contents(at("doc.rtf")), "the new one");
    EXPECT_EQ(test_support::fileNames(m_folder), std::vector<std::string>{"doc.rtf"});
}

TEST_F(StagedWriting, ANewFileNeverReplacesOneThatTookItsName)
{
    auto staged = StagedFile::beginNew(m_folder.string(), "mail.eml", 0600);
    ASSERT_TRUE(staged) << staged.error().text();
    ASSERT_EQ(::write(staged->descriptor(), "draft", 5), 5);
    write(at("mail-1.eml"), "an earlier draft");
    auto first = staged->commitUnlessTaken(at("mail-1.eml").string(), StagedFile::Sync::Yes);
    ASSERT_TRUE(first);
    EXPECT_FALSE(*first);
    auto second = staged->commitUnlessTaken(at("mail-2.eml").string(), StagedFile::Sync::Yes);
    ASSERT_TRUE(second);
    EXPECT_TRUE(*second);
    EXPECT_EQ(contents(at("mail-1.eml")), "an earlier draft");
    EXPECT_EQ(contents(at("mail-2.eml")), "draft");
    EXPECT_EQ(test_support::fileNames(m_folder), (std::vector<std::string>{"mail-1.eml", "mail-2.eml"}));
    EXPECT_EQ(fs::status(at("mail-2.eml")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(StagedWriting, AReplacedFileKeepsItsPermissions)
{
    write(at("private.txt"), "old");
    fs::permissions(at("private.txt"), fs::perms::owner_read | fs::perms::owner_write);
    ByteFile file;
    ASSERT_EQ(startWriting(file, "private.txt"), 0);
    ASSERT_TRUE(file.write(std::string("new")));
    ASSERT_EQ(file.close(), 0);
    EXPECT_EQ(fs::status(at("private.txt")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

} // namespace
