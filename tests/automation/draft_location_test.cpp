#include "framework/automation/draft_opener.h"
#include "framework/automation/drafts_folder.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "framework/automation/failure_report.h"
#include "framework/automation/ole_control.h"
#include "tests/support/desktop_mail_handler.h"
#include "tests/support/fake_program.h"
#include "tests/support/temp_folder.h"

using namespace fw::automation;
using namespace test_support;

namespace {

struct FolderRow {
    const char* name;
    std::optional<std::string> chosen;  // REPORTMAIL_DRAFTS_DIR
    std::optional<std::string> xdgData; // XDG_DATA_HOME
    std::string home;
    std::string folder;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const FolderRow& row, std::ostream* os) { *os << row.name; }

class DraftsFolderChoice : public testing::TestWithParam<FolderRow> {};

TEST_P(DraftsFolderChoice, FollowsTheVariablesInOrder)
{
    ScopedEnv chosen(draftsFolderVariable.data(), GetParam().chosen);
    ScopedEnv data("XDG_DATA_HOME", GetParam().xdgData);
    ScopedEnv home("HOME", GetParam().home);
    EXPECT_EQ(draftsFolder().string(), GetParam().folder);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, DraftsFolderChoice,
    testing::Values(
        FolderRow{"ChosenFolderWins", "/srv/mail drafts", "/x/data", "/home/u", "/srv/mail drafts"},
        FolderRow{"EmptyChoiceCountsAsNone", "", "/x/data", "/home/u", "/x/data/reportmail/drafts"},
        FolderRow{"DataHome", std::nullopt, "/x/data", "/home/u", "/x/data/reportmail/drafts"},
        FolderRow{"RelativeDataHomeIsIgnored", std::nullopt, "data", "/home/u",
                  "/home/u/.local/share/reportmail/drafts"},
        FolderRow{"HomeOnly", std::nullopt, std::nullopt, "/home/u", "/home/u/.local/share/reportmail/drafts"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(DraftsFolder, MissingFoldersAreCreatedForTheUserOnlyAndOnlyTheDraftStays)
{
    TempFolder scratch{"automation-test"};
    const auto folder = scratch.path() / "a" / "b" / "drafts";
    ScopedEnv chosen(draftsFolderVariable.data(), folder.string());
    const auto saved = saveDraft("X-Unsent: 1\r\n\r\n");
    ASSERT_TRUE(saved) << saved.error().text();
    EXPECT_EQ(saved->parent_path(), folder);
    EXPECT_EQ(filesIn(folder), std::vector<std::filesystem::path>{*saved});
    EXPECT_EQ(readFile(*saved), "X-Unsent: 1\r\n\r\n");
    struct stat st {};
    ASSERT_EQ(stat(folder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    ASSERT_EQ(stat(saved->c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(DraftsFolder, AFolderThatCannotBeMadeIsAnErrorNamingIt)
{
    TempFolder scratch{"automation-test"};
    writeFile(scratch.path() / "plain", "x");
    const auto folder = scratch.path() / "plain" / "drafts";
    ScopedEnv chosen(draftsFolderVariable.data(), folder.string());
    const auto saved = saveDraft("x");
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.error().text(), "mail drafts: cannot create the folder " + folder.string() + ": Not a directory");
}

struct OpenerRow {
    const char* name;
    std::optional<std::string> opener;
    std::vector<std::string> command;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const OpenerRow& row, std::ostream* os) { *os << row.name; }

class DraftOpenerChoice : public testing::TestWithParam<OpenerRow> {};

TEST_P(DraftOpenerChoice, SplitsTheCommandAndAddsTheDraftLast)
{
    DesktopMailHandler none; // the desktop names no mail program
    ScopedEnv opener(draftOpenerVariable.data(), GetParam().opener);
    EXPECT_EQ(draftOpening("/d/mail 1.eml", MailDraft{}).command, GetParam().command);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, DraftOpenerChoice,
    testing::Values(OpenerRow{"Default", std::nullopt, {"xdg-open", "/d/mail 1.eml"}},
                    OpenerRow{"BlankIsDefault", "  ", {"xdg-open", "/d/mail 1.eml"}},
                    OpenerRow{"ProgramAlone", "thunderbird", {"thunderbird", "/d/mail 1.eml"}},
                    OpenerRow{"WithArguments", " thunderbird  -compose\tx ",
                              {"thunderbird", "-compose", "x", "/d/mail 1.eml"}},
                    OpenerRow{"NoShellMeaning", "sh -c $(true);rm", {"sh", "-c", "$(true);rm", "/d/mail 1.eml"}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// Each row puts a fake opener in place that writes its arguments, one per
// line, into a FIFO the test reads.
struct LaunchRow {
    const char* name;
    bool throughVariable; // REPORTMAIL_DRAFT_OPENER names the fake; else xdg-open on PATH
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const LaunchRow& row, std::ostream* os) { *os << row.name; }

class DraftOpenerLaunch : public testing::TestWithParam<LaunchRow> {};

TEST_P(DraftOpenerLaunch, TheRealProgramReceivesTheDraftsPath)
{
    TempFolder scratch{"automation-test"};
    DesktopMailHandler none; // the desktop names no mail program
    const auto record = scratch.path() / "opened.fifo";
    ASSERT_EQ(mkfifo(record.c_str(), 0600), 0);
    const std::string program = GetParam().throughVariable ? "my-mail-opener" : "xdg-open";
    FakeProgram fake(scratch.path() / "bin", program,
                     "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" + record.string() + "'");
    ScopedEnv drafts(draftsFolderVariable.data(), (scratch.path() / "drafts").string());
    ScopedEnv opener(draftOpenerVariable.data(),
                     GetParam().throughVariable ? std::optional<std::string>(program + " --draft") : std::nullopt);
    std::vector<std::string> failures;
    setFailureSinkForTesting([&](const std::string& line) { failures.push_back(line); });

    // The mail is made as the engine makes it, results dropped: the draft
    // and the reported failures show what became of it.
    OleControl ole;
    (void)ole.setCreate("Outlook.Application");
    const std::string item = ole.get("CreateItem(0)").value_or("");
    (void)ole.set(item + ".Subject", Value(std::string("S")));
    (void)ole.call(item + ".Display");
    setFailureSinkForTesting({});

    EXPECT_TRUE(failures.empty()) << failures.front();
    const auto files = filesIn(scratch.path() / "drafts");
    ASSERT_EQ(files.size(), 1u);
    const auto opened = readFifo(record);
    ASSERT_TRUE(opened) << "the fake opener never wrote";
    EXPECT_EQ(*opened, (GetParam().throughVariable ? "--draft\n" : "") + files.front().string() + "\n");
}

INSTANTIATE_TEST_SUITE_P(Rows, DraftOpenerLaunch,
                         testing::Values(LaunchRow{"XdgOpenOnPath", false}, LaunchRow{"ChosenCommand", true}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
