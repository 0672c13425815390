// vextrel run as a program when something goes wrong: every file that was
// not made is said, naming it, the exit status is 1, and nothing the folder
// held before is lost or left cut.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/small_disk.h"
#include "tests/vextrel/builder_call.h"
#include "tests/vextrel/program_run.h"
#include "tests/vextrel/vextrel_folder.h"

namespace {

namespace fs = std::filesystem;

const std::string EarlierBody = "earlier body";
const std::string EarlierDocument = "earlier document";
const std::string EarlierCopy = "earlier copy";
const std::vector<std::string> PagesOf12{"121.wmf", "122.wmf", "123.wmf"};
const std::vector<std::string> EarlierRun{"12.RTF", "121.wmf", "122.wmf", "123.wmf", "Report.RTF"};

// The folder of a job that an earlier run of job 12 left: its body file,
// its document and its named copy, the three pages, an empty GOODS.
class VextrelFaults : public VextrelFolderTest {
protected:
    fs::path prepareJob(const fs::path& job)
    {
        fs::create_directories(job / "out");
        const fs::path previous = fs::current_path();
        fs::current_path(job);
        writeGoods(0);
        writePages(12, 3, "KR");
        fs::current_path(previous);
        write(job / "out" / "kr12.html", EarlierBody);
        write(job / "KR" / "12.RTF", EarlierDocument);
        write(job / "KR" / "Report.RTF", EarlierCopy);
        return job;
    }

    // No temporary of ours anywhere under `folder`.
    static void expectNoTemporaries(const fs::path& folder)
    {
        for (const auto& entry : fs::recursive_directory_iterator(folder))
            EXPECT_FALSE(entry.path().filename().string().starts_with(".~reportmail-"))
                << "a temporary is left: " << entry.path();
    }
};

struct FaultRun {
    const char* name;
    // Changes the job's folder; gives the arguments, or nothing when this
    // machine does not allow what the row needs.
    std::function<std::optional<std::vector<std::string>>(const fs::path& job)> arrange;
    std::string standardError;                  // "@" for the job's folder
    std::vector<std::string> out;               // out/ afterwards
    std::vector<std::string> workFolder;        // KR/ afterwards
    std::map<std::string, std::string> kept;    // files of the job that hold exactly this afterwards
    std::map<std::string, fs::file_type> still; // names that must still be what they were
};

void PrintTo(const FaultRun& row, std::ostream* out) { *out << row.name; }

class VextrelFaultRun : public VextrelFaults, public ::testing::WithParamInterface<FaultRun> {};

TEST_P(VextrelFaultRun, SaysWhatWasNotMadeAndKeepsWhatWasThere)
{
    const FaultRun& row = GetParam();
    const fs::path job = prepareJob(at("job"));
    const auto arguments = row.arrange(job);
    if (!arguments)
        GTEST_SKIP() << "this machine does not let the test make what the row needs";

    const ProgramRun run = runVextrel(*arguments, job, m_folder);
    ASSERT_FALSE(run.timedOut) << "vextrel did not end";
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.standardError, test_support::withFolder(row.standardError, job.string()));
    EXPECT_EQ(fileNames(job / "out"), row.out);
    EXPECT_EQ(fileNames(job / "KR"), row.workFolder);
    for (const auto& [name, bytes] : row.kept)
        EXPECT_TRUE(contents(job / name) == bytes) << name << " does not hold " << bytes;
    for (const auto& [name, type] : row.still)
        EXPECT_EQ(fs::symlink_status(job / name).type(), type) << name;
    expectNoTemporaries(job);
}

const std::map<std::string, std::string> EverythingKept{
    {"out/kr12.html", EarlierBody}, {"KR/12.RTF", EarlierDocument}, {"KR/Report.RTF", EarlierCopy}};

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Faults, VextrelFaultRun,
    ::testing::Values(
        FaultRun{"AFIFOAsTheBodyFile",
                 [](const fs::path& job) -> std::optional<std::vector<std::string>> {
                     ::mkfifo((job / "out" / "fifo.html").c_str(), 0666);
                     return std::vector<std::string>{"12", "2", call("out/fifo.html")};
                 },
                 "vextrel: the HTML body file \"out/fifo.html\" could not be written: out/fifo.html is a FIFO, "
                 "not a file\n",
                 {"fifo.html", "kr12.html"},
                 EarlierRun,
                 EverythingKept,
                 {{"out/fifo.html", fs::file_type::fifo}}},
        FaultRun{"ADeviceAsTheBodyFile",
                 [](const fs::path& job) -> std::optional<std::vector<std::string>> {
                     // A twin of /dev/null: the device node itself is what a
                     // run as root once deleted.
                     if (::mknod((job / "out" / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
                         return std::nullopt;
                     return std::vector<std::string>{"12", "2", call("out/null")};
                 },
                 "vextrel: the HTML body file \"out/null\" could not be written: out/null is a device, not a "
                 "file\n",
                 {"kr12.html", "null"},
                 EarlierRun,
                 EverythingKept,
                 {{"out/null", fs::file_type::character}}},
        FaultRun{"MorePagesThanThereAre",
                 [](const fs::path&) -> std::optional<std::vector<std::string>> {
                     return std::vector<std::string>{"12", "2", call("out/kr12.html", 5)};
                 },
                 "vextrel: the RTF document \"@/KR/12.RTF\" was not built: page 4 of 5: cannot open "
                 "@/KR/124.WMF: No such file or directory\n",
                 {"kr12.html"},
                 {"12.RTF", "121.wmf", "122.wmf", "123.wmf"},
                 {{"out/kr12.html", htmlBody("FFFFFF")}, {"KR/12.RTF", EarlierDocument}},
                 {}},
        FaultRun{"APageThatIsAFolder",
                 [](const fs::path& job) -> std::optional<std::vector<std::string>> {
                     fs::remove(job / "KR" / "122.wmf");
                     fs::create_directory(job / "KR" / "122.wmf");
                     return std::vector<std::string>{"12", "2", call("out/kr12.html")};
                 },
                 "vextrel: the RTF document \"@/KR/12.RTF\" was not built: page 2 of 3: @/KR/122.wmf is a "
                 "folder\n",
                 {"kr12.html"},
                 {"12.RTF", "121.wmf", "122.wmf", "123.wmf"},
                 {{"out/kr12.html", htmlBody("FFFFFF")}, {"KR/12.RTF", EarlierDocument}},
                 {{"KR/122.wmf", fs::file_type::directory}}},
        FaultRun{"AWorkFolderThatIsAFile",
                 [](const fs::path& job) -> std::optional<std::vector<std::string>> {
                     fs::remove_all(job / "KR");
                     test_support::writeFile(job / "KR", "a file");
                     return std::vector<std::string>{"12", "2", call("out/kr12.html")};
                 },
                 "vextrel: the RTF document \"@/KR/12.RTF\" was not built: cannot create @/KR/12.RTF: Not a "
                 "directory\n",
                 {"kr12.html"},
                 {},
                 {{"out/kr12.html", htmlBody("FFFFFF")}, {"KR", "a file"}},
                 {}},
        FaultRun{"A300CharacterBodyPath",
                 [](const fs::path&) -> std::optional<std::vector<std::string>> {
                     return std::vector<std::string>{"12", "2", call("out/" + std::string(296, 'b'))};
                 },
                 "vextrel: the HTML body file \"out/" + std::string(296, 'b') +
                     "\" could not be written: the path is 300 characters long, more than the 256 that a file "
                     "name holds\n",
                 {"kr12.html"},
                 EarlierRun,
                 EverythingKept,
                 {}},
        FaultRun{"AnRTFFolderLongerThanItsField",
                 [](const fs::path&) -> std::optional<std::vector<std::string>> {
                     return std::vector<std::string>{"12", "2",
                                                     call("out/kr12.html", 3, "16777215", 2, "Report",
                                                          std::string(201, 'r'))};
                 },
                 "vextrel: the named copy \"" + std::string(201, 'r') +
                     "/Report.RTF\" in the RTF folder was not made: the RTF folder is 201 characters long, more "
                     "than the 200 that it holds\n",
                 {"kr12.html"},
                 EarlierRun,
                 {{"out/kr12.html", htmlBody("FFFFFF")}},
                 {}},
        FaultRun{"ACommandLineCutAtItsLimit",
                 [](const fs::path&) -> std::optional<std::vector<std::string>> {
                     return std::vector<std::string>{"12", "2", call("out/" + std::string(10000, 'b'))};
                 },
                 "vextrel: the command line is 10097 characters long; only its first 10000 were read\n"
                 "vextrel: Expression: text at position 19 is not closed\n",
                 {"kr12.html"},
                 EarlierRun,
                 EverythingKept,
                 {}}),
    [](const ::testing::TestParamInfo<FaultRun>& info) { return std::string(info.param.name); });
// clang-format on

// A job folder on a disk that fills up: the file that did not fit is named,
// and what stands under every name is whole, the earlier file or the new one.
struct FullDiskRun {
    const char* name;
    std::size_t free;          // bytes left on the disk before the run
    std::string standardError; // "@" for the job's folder
    std::string body;          // out/kr12.html afterwards
    std::vector<std::string> workFolder;
};

void PrintTo(const FullDiskRun& row, std::ostream* out) { *out << row.name; }

class VextrelOnAFullDisk : public VextrelFaults, public ::testing::WithParamInterface<FullDiskRun> {};

TEST_P(VextrelOnAFullDisk, NamesTheFileThatDidNotFitAndLeavesNothingCut)
{
    const FullDiskRun& row = GetParam();
    const fs::path job = at("job");
    test_support::SmallDisk disk(job, 256);
    if (!disk.mounted())
        GTEST_SKIP() << disk.why();
    prepareJob(job);
    ASSERT_TRUE(disk.fill(row.free));

    const ProgramRun run = runVextrel({"12", "2", call("out/kr12.html")}, job, m_folder);
    ASSERT_FALSE(run.timedOut) << "vextrel did not end";
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.standardError, test_support::withFolder(row.standardError, job.string()));
    EXPECT_EQ(contents(job / "out" / "kr12.html"), row.body);
    EXPECT_EQ(fileNames(job / "KR"), row.workFolder);
    EXPECT_EQ(contents(job / "KR" / "12.RTF"), EarlierDocument);
    expectNoTemporaries(job);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Disks, VextrelOnAFullDisk,
    ::testing::Values(FullDiskRun{"NoRoomForTheBody", 0,
                                  "vextrel: the HTML body file \"out/kr12.html\" could not be written: cannot "
                                  "write out/kr12.html: No space left on device\n",
                                  EarlierBody, EarlierRun},
                      FullDiskRun{"RoomForTheBodyButNotTheDocument", 8192,
                                  "vextrel: the RTF document \"@/KR/12.RTF\" was not built: cannot write "
                                  "@/KR/12.RTF: No space left on device\n",
                                  htmlBody("FFFFFF"), {"12.RTF", "121.wmf", "122.wmf", "123.wmf"}}),
    [](const ::testing::TestParamInfo<FullDiskRun>& info) { return std::string(info.param.name); });
// clang-format on

// Killed while it hexes a large page: nothing under a final name is cut,
// the earlier document and its copy stay, and the next run in the folder
// builds the documents and clears away what the killed run left.
TEST_F(VextrelFaults, AKilledRunLeavesTheEarlierDocumentsAndTheNextRunClearsUp)
{
    const fs::path job = prepareJob(at("job"));
    // Page 1 of 48 MB: long enough to be caught halfway.
    test_support::writeFile(job / "KR" / "121.wmf", std::string(22, 'h') + std::string(48 << 20, '\x5A'));
    const std::vector<std::string> arguments{"12", "2", call("out/kr12.html")};

    const pid_t pid = startVextrel(arguments, job, m_folder);
    ASSERT_GT(pid, 0);
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    std::optional<fs::path> temporary;
    while (!temporary && std::chrono::steady_clock::now() < giveUp) {
        for (const auto& entry : fs::directory_iterator(job / "KR")) {
            std::error_code ec;
            const std::string name = entry.path().filename().string();
            if (name.starts_with(".~reportmail-") && name.ends_with("~12.RTF") &&
                fs::file_size(entry, ec) > (16u << 20))
                temporary = entry.path();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ASSERT_TRUE(temporary) << "the document was never seen halfway";
    ASSERT_EQ(::kill(pid, SIGKILL), 0);
    const ProgramRun killed = waitForVextrel(pid, m_folder);
    EXPECT_EQ(killed.exitStatus, -1);

    // The body was complete before the document began; the document and its
    // copy are the earlier run's; the half document is only a temporary.
    EXPECT_EQ(contents(job / "out" / "kr12.html"), htmlBody("FFFFFF"));
    EXPECT_EQ(contents(job / "KR" / "12.RTF"), EarlierDocument);
    EXPECT_EQ(contents(job / "KR" / "Report.RTF"), EarlierCopy);
    EXPECT_TRUE(fs::exists(*temporary));

    const ProgramRun good = runVextrel(arguments, job, m_folder);
    ASSERT_FALSE(good.timedOut) << "vextrel did not end";
    EXPECT_EQ(good.exitStatus, 0);
    EXPECT_EQ(good.standardError, "");
    EXPECT_EQ(fileNames(job / "KR"), EarlierRun);
    const std::string document = contents(job / "KR" / "12.RTF");
    EXPECT_TRUE(document.starts_with("{\\rtf1") && document.ends_with(" \r\n\\par }}"));
    EXPECT_GT(document.size(), std::size_t{96} << 20);
    EXPECT_TRUE(document == contents(job / "KR" / "Report.RTF")) << "the named copy is this run's document";
    expectNoTemporaries(job);
}

// A current directory so deep that the work folder does not fit its 256
// characters: the goods report says so, and no document is written under a
// cut folder name.
TEST_F(VextrelFaults, AWorkFolderUnderADeepCurrentDirectoryIsRefused)
{
    fs::path job = m_folder;
    while (job.string().size() < 260)
        job /= std::string(40, 'd');
    fs::create_directories(job / "out");
    fs::current_path(job);
    writeGoods(0);
    fs::current_path(m_folder);
    const std::string workFolder = job.string() + "\\KR\\";

    const ProgramRun run = runVextrel({"12", "2", call("out/kr12.html")}, job, m_folder);
    ASSERT_FALSE(run.timedOut) << "vextrel did not end";
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.standardError, "Work folder: " + workFolder + " is " + std::to_string(workFolder.size()) +
                                     " characters long, more than the 256 that the work folder holds\n"
                                     "vextrel: the RTF document \"12.RTF\" was not built: no work folder is set\n");
    EXPECT_EQ(contents(job / "out" / "kr12.html"), htmlBody("FFFFFF"));
    EXPECT_EQ(fileNames(job), (std::vector<std::string>{"GOODS.sqlite", "out"}));
    // Nothing landed in a folder of the cut name either.
    EXPECT_FALSE(fs::exists(fs::path(workFolder.substr(0, 256))));
    expectNoTemporaries(m_folder);
}

} // namespace
