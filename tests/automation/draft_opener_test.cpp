// How a draft reaches the mail program the desktop names for mail: the
// command for each program, the real xdg-mime query, Evolution's attachments
// beside the draft, and openers that fail.

#include "framework/automation/draft_opener.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "framework/automation/desktop_entry.h"
#include "framework/automation/mail_handler.h"
#include "tests/support/desktop_mail_handler.h"
#include "tests/support/fake_program.h"
#include "tests/support/temp_folder.h"

using namespace fw::automation;
using namespace test_support;

namespace {

// The desktop's applications folders inside a scratch folder, and a draft
// path there (no file is needed to choose a command).
class DraftOpenerTest : public testing::Test {
protected:
    DraftOpenerTest()
        : m_dataHome("XDG_DATA_HOME", (m_scratch.path() / "share").string()),
          m_dataDirs("XDG_DATA_DIRS", (m_scratch.path() / "system").string()), m_terminal("TERMINAL", std::nullopt),
          m_opener(draftOpenerVariable.data(), std::nullopt)
    {
        std::filesystem::create_directories(m_scratch.path() / "drafts");
    }

    void entry(const std::string& relative, const std::string& lines)
    {
        const auto file = m_scratch.path() / "share" / "applications" / relative;
        std::filesystem::create_directories(file.parent_path());
        writeFile(file, "[Desktop Entry]\nType=Application\n" + lines);
    }
    std::filesystem::path draft() const { return m_scratch.path() / "drafts" / "mail-1.eml"; }
    // The scratch folder as a percent-encoded link value writes it.
    std::string encodedScratch() const
    {
        std::string s;
        for (const char c : m_scratch.path().string())
            s += c == '/' ? std::string("%2F") : std::string(1, c);
        return s;
    }

    TempFolder m_scratch{"opener-test"};
    ScopedEnv m_dataHome;
    ScopedEnv m_dataDirs;
    ScopedEnv m_terminal;
    ScopedEnv m_opener;
};

struct OpenerRow {
    const char* name;
    std::string mailto;                                       // the desktop's program for mailto: links
    std::string messages;                                     // and for message files
    std::vector<std::pair<std::string, std::string>> entries; // desktop files: where, what
    std::optional<std::string> chosen;                        // REPORTMAIL_DRAFT_OPENER
    std::vector<std::string> command;                         // {draft} stands for the draft's path
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const OpenerRow& row, std::ostream* os) { *os << row.name; }

class DraftOpenerByProgram : public DraftOpenerTest, public testing::WithParamInterface<OpenerRow> {};

TEST_P(DraftOpenerByProgram, GivesEachProgramTheDraftAsItTakesOne)
{
    const OpenerRow& row = GetParam();
    DesktopMailHandler handler(row.mailto, row.messages);
    ScopedEnv chosen(draftOpenerVariable.data(), row.chosen);
    for (const auto& [where, what] : row.entries)
        entry(where, what);
    std::vector<std::string> expected;
    for (const std::string& word : row.command)
        expected.push_back(word == "{draft}" ? draft().string() : word);
    const DraftOpening opening = draftOpening(draft(), MailDraft{});
    EXPECT_EQ(opening.command, expected);
    EXPECT_TRUE(opening.shortfalls.empty());
}

const std::pair<std::string, std::string> thunderbird{"thunderbird.desktop", "Exec=/usr/bin/thunderbird %u\n"};
const std::pair<std::string, std::string> neomutt{"neomutt.desktop", "Exec=neomutt %u\nTerminal=true\n"};

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, DraftOpenerByProgram,
    testing::Values(
        OpenerRow{"Thunderbird", "thunderbird.desktop", "", {thunderbird}, {}, {"/usr/bin/thunderbird", "{draft}"}},
        OpenerRow{"ThunderbirdAsFlatpak",
                  "org.mozilla.Thunderbird.desktop",
                  "",
                  {{"org.mozilla.Thunderbird.desktop",
                    "Exec=/usr/bin/flatpak run --branch=stable --command=thunderbird org.mozilla.Thunderbird @@u %u "
                    "@@\n"}},
                  {},
                  {"/usr/bin/flatpak", "run", "--branch=stable", "--command=thunderbird", "org.mozilla.Thunderbird",
                   "@@u", "{draft}", "@@"}},
        OpenerRow{"ThunderbirdInAVendorFolder",
                  "mozilla-thunderbird.desktop",
                  "",
                  {{"mozilla/thunderbird.desktop", "Exec=icedove %U\n"}},
                  {},
                  {"icedove", "{draft}"}},
        OpenerRow{"QuotedProgramAndOtherFieldCodes",
                  "betterbird.desktop",
                  "",
                  {{"betterbird.desktop", "Exec=\"/opt/Better Bird/betterbird\" --name %c %i 100%% %f\n"}},
                  {},
                  {"/opt/Better Bird/betterbird", "--name", "100%", "{draft}"}},
        OpenerRow{"NeoMuttInATerminal", "neomutt.desktop", "", {neomutt}, {},
                  {"x-terminal-emulator", "-e", "neomutt", "-H", "{draft}"}},
        OpenerRow{"ExecWithoutFieldCode", "mutt.desktop", "", {{"mutt.desktop", "Exec=mutt\nTerminal=false\n"}}, {},
                  {"mutt", "-H", "{draft}"}},
        OpenerRow{"OtherProgram", "claws-mail.desktop", "", {{"claws-mail.desktop", "Exec=claws-mail %u\n"}}, {},
                  {"xdg-open", "{draft}"}},
        OpenerRow{"MessagesProgramWhenNoneForMailto", "", "thunderbird.desktop", {thunderbird}, {},
                  {"/usr/bin/thunderbird", "{draft}"}},
        OpenerRow{"NoProgramAtAll", "", "", {}, {}, {"xdg-open", "{draft}"}},
        OpenerRow{"KnownProgramWithoutItsEntry", "thunderbird.desktop", "", {}, {}, {"xdg-open", "{draft}"}},
        OpenerRow{"ChosenOpenerWins", "thunderbird.desktop", "", {thunderbird}, "my-opener --draft",
                  {"my-opener", "--draft", "{draft}"}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(DraftOpenerTest, ATerminalProgramRunsInTheUsersTerminal)
{
    DesktopMailHandler handler("neomutt.desktop");
    ScopedEnv terminal("TERMINAL", "xterm");
    entry("neomutt.desktop", "Exec=neomutt %u\nTerminal=true\n");
    EXPECT_EQ(draftOpening(draft(), MailDraft{}).command,
              (std::vector<std::string>{"xterm", "-e", "neomutt", "-H", draft().string()}));
}

// Evolution shows an .eml as a received message; its composer opens from a
// mailto: link, with the attachments as files beside the draft.
TEST_F(DraftOpenerTest, EvolutionGetsItsComposerWithTheAttachmentsBesideTheDraft)
{
    DesktopMailHandler handler("org.gnome.Evolution.desktop");
    entry("org.gnome.Evolution.desktop", "Exec=evolution %U\n");
    MailDraft mail;
    mail.to = {"Ada Quill <ada@example.org>"};
    mail.subject = "Classes";
    mail.htmlBody = "<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY><FONT>Attached is the list<br>Regards,</FONT></BODY>";
    mail.attachments = {
        {"Report.rtf", "{\\rtf1 report}"}, {"Note.doc", "note 1"}, {"Note.doc", "note 2"}, {"a/b.doc", "slash"}};

    const DraftOpening opening = draftOpening(draft(), mail);
    const std::string folder = encodedScratch() + "%2Fdrafts%2Fmail-1%2F";
    // clang-format off
    EXPECT_EQ(opening.command,
              (std::vector<std::string>{
                  "evolution", "mailto:Ada%20Quill%20%3Cada@example.org%3E?subject=Classes"
                               "&body=Attached%20is%20the%20list%0ARegards%2C"
                               "&attach=file%3A%2F%2F" + folder + "Report.rtf"
                               "&attach=file%3A%2F%2F" + folder + "Note.doc"
                               "&attach=file%3A%2F%2F" + folder + "2%2FNote.doc"
                               "&attach=file%3A%2F%2F" + folder + "a_b.doc"}));
    // clang-format on
    EXPECT_TRUE(opening.shortfalls.empty());
    const auto beside = m_scratch.path() / "drafts" / "mail-1";
    EXPECT_EQ(readFile(beside / "Report.rtf"), "{\\rtf1 report}");
    EXPECT_EQ(readFile(beside / "Note.doc"), "note 1");
    EXPECT_EQ(readFile(beside / "2" / "Note.doc"), "note 2");
    EXPECT_EQ(readFile(beside / "a_b.doc"), "slash");
}

TEST_F(DraftOpenerTest, EvolutionWithoutRoomForTheAttachmentsStillGetsTheRestAndItIsSaid)
{
    DesktopMailHandler handler("org.gnome.Evolution.desktop");
    writeFile(m_scratch.path() / "drafts" / "mail-1", "a file where the folder would go");
    MailDraft mail;
    mail.attachments = {{"Report.rtf", "r"}};
    const DraftOpening opening = draftOpening(draft(), mail);
    EXPECT_EQ(opening.command, (std::vector<std::string>{"evolution", "mailto:"}));
    ASSERT_EQ(opening.shortfalls.size(), 1u);
    const std::string folder = (m_scratch.path() / "drafts" / "mail-1").string();
    // clang-format off
    EXPECT_EQ(opening.shortfalls[0].text(),
              "mail drafts: cannot create the folder " + folder + ": a file of that name is in the way, so Evolution's "
              "composer has no "
              "attachments; the draft " + draft().string() + " holds them");
    // clang-format on
}

// The real query: xdg-mime is asked for mailto: links first, then for
// message files.
TEST_F(DraftOpenerTest, TheDesktopIsAskedThroughXdgMime)
{
    const auto asked = m_scratch.path() / "asked";
    // clang-format off
    FakeProgram xdgMime(m_scratch.path() / "bin", "xdg-mime",
                        "echo \"$*\" >> '" + asked.string() + "'\n"
                        "[ \"$3\" = message/rfc822 ] && echo 'org.gnome.Evolution.desktop;thunderbird.desktop'\n"
                        "exit 0");
    // clang-format on
    const MailHandler handler = desktopMailHandler();
    EXPECT_EQ(handler.desktopId, "org.gnome.Evolution.desktop");
    EXPECT_EQ(handler.program, MailProgram::Evolution);
    EXPECT_EQ(readFile(asked), "query default x-scheme-handler/mailto\nquery default message/rfc822\n");
}

struct FailingRow {
    const char* name;
    std::string script; // the opener; empty: none on PATH
    std::string said;   // after "the draft <path> was written but my-opener"
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const FailingRow& row, std::ostream* os) { *os << row.name; }

class DraftOpenerFailing : public DraftOpenerTest, public testing::WithParamInterface<FailingRow> {};

// An opener that cannot start, or ends badly at once, has not shown the
// mail; the failure names the draft, which stays.
TEST_P(DraftOpenerFailing, SaysWhereTheDraftWasWritten)
{
    std::optional<FakeProgram> opener;
    if (!GetParam().script.empty())
        opener.emplace(m_scratch.path() / "bin", "my-opener", GetParam().script);
    ScopedEnv chosen(draftOpenerVariable.data(), "my-opener");
    ScopedEnv path("PATH", (m_scratch.path() / "bin").string() + ":/usr/bin:/bin");
    const auto shown = openDraft(draft(), MailDraft{});
    ASSERT_FALSE(shown);
    EXPECT_EQ(shown.error().text(),
              "mail drafts: the draft " + draft().string() + " was written but my-opener" + GetParam().said);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DraftOpenerFailing,
    testing::Values(FailingRow{"NotInstalled", "", " could not be started to open it"},
                    FailingRow{"EndsWithAStatus", "exit 2", " ended with exit status 2 without showing it"},
                    FailingRow{"IsKilled", "kill -9 $$", " was ended by signal 9 before showing it"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DraftOpenerTest, AnOpenerThatEndsWellOrStaysHasShownTheMail)
{
    ScopedEnv path("PATH", (m_scratch.path() / "bin").string() + ":/usr/bin:/bin");
    FakeProgram ends(m_scratch.path() / "bin", "hands-over", "exit 0");
    FakeProgram stays(m_scratch.path() / "bin", "stays", "sleep 3");
    for (const char* opener : {"hands-over", "stays"}) {
        ScopedEnv chosen(draftOpenerVariable.data(), std::string(opener));
        const auto shown = openDraft(draft(), MailDraft{});
        EXPECT_TRUE(shown) << opener << ": " << shown.error().text();
    }
}

} // namespace
