// A draft that cannot be written in full is never given its name: no half
// draft reaches the mail program, and nothing is left in the folder.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "framework/automation/drafts_folder.h"
#include "framework/fs/leftovers.h"
#include "tests/support/file_faults.h"
#include "tests/support/small_disk.h"
#include "tests/support/temp_folder.h"

using namespace fw::automation;
using namespace test_support;

namespace {

enum class Fault { Write, Close, Rename, FullDisk };

struct DraftFaultRow {
    const char* name;
    Fault fault;
    std::string text; // "@" for the drafts folder
};

void PrintTo(const DraftFaultRow& row, std::ostream* os) { *os << row.name; }

class DraftFault : public testing::TestWithParam<DraftFaultRow> {
protected:
    void TearDown() override { disarmFileFaults(); }
};

TEST_P(DraftFault, LeavesNoDraftAndNoTemporary)
{
    const DraftFaultRow& row = GetParam();
    TempFolder scratch{"automation-test"};
    const std::filesystem::path folder = scratch.path() / "drafts";
    std::optional<SmallDisk> disk;
    if (row.fault == Fault::FullDisk) {
        disk.emplace(folder, 16);
        if (!disk->mounted())
            GTEST_SKIP() << disk->why();
    }
    ScopedEnv chosen(draftsFolderVariable.data(), folder.string());
    switch (row.fault) {
    case Fault::Write:
        fw::fs::failNthWriteForTesting(1);
        break;
    case Fault::Close:
        fw::fs::failNthCloseForTesting(1);
        break;
    case Fault::Rename:
        fw::fs::failNthRenameForTesting(1);
        break;
    case Fault::FullDisk:
        break;
    }
    const auto saved = saveDraft("X-Unsent: 1\r\n\r\n" + std::string(100000, 'b'));
    ASSERT_FALSE(saved) << "a draft was saved: " << saved->string();
    // "@" is the folder; "*" stands for the draft's time stamp.
    std::string expected = row.text;
    expected.replace(expected.find('@'), 1, folder.string());
    const std::string text = saved.error().text();
    if (const auto star = expected.find('*'); star != std::string::npos) {
        EXPECT_TRUE(text.starts_with(expected.substr(0, star)) && text.ends_with(expected.substr(star + 1))) << text;
        EXPECT_EQ(text.size(), expected.size() - 1 + std::string("20260307-090500").size()) << text;
    } else {
        EXPECT_EQ(text, expected);
    }
    EXPECT_EQ(fileNames(folder), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Faults, DraftFault,
    testing::Values(
        DraftFaultRow{"TheWriteFails", Fault::Write, "mail drafts: cannot write a file in @: No space left on device"},
        DraftFaultRow{"TheCloseFails", Fault::Close, "mail drafts: cannot write a file in @: Input/output error"},
        DraftFaultRow{"TheRenameFails", Fault::Rename,
                      "mail drafts: cannot put @/mail-*-1.eml in place: Input/output error"},
        DraftFaultRow{"TheDiskIsFull", Fault::FullDisk,
                      "mail drafts: cannot write a file in @: No space left on device"}),
    [](const auto& info) { return std::string(info.param.name); });

// A draft temporary that a killed run left behind goes with the next draft.
TEST(DraftLeftovers, AKilledRunsTemporaryGoesWithTheNextDraft)
{
    TempFolder scratch{"automation-test"};
    const std::filesystem::path folder = scratch.path() / "drafts";
    std::filesystem::create_directories(folder);
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    const std::string leftover = fw::fs::detail::temporaryName("mail-20260307-090500-1.eml", child, 1);
    writeFile(folder / leftover, "half a dr");

    ScopedEnv chosen(draftsFolderVariable.data(), folder.string());
    const auto saved = saveDraft("X-Unsent: 1\r\n\r\n");
    ASSERT_TRUE(saved) << saved.error().text();
    EXPECT_EQ(filesIn(folder), std::vector<std::filesystem::path>{*saved});
}

} // namespace
