#include "demo/mails/mails.h"

#include "hook_fixture.h"

using namespace hooktest;

namespace {

struct MailCase {
    const char* name;
    void (*procedure)();
    std::uint8_t mode;
    bool writes;
    Lines lines; // {cwd} stands for the current directory
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const MailCase& row, std::ostream* os) { *os << row.name; }

class Mails : public HookTest, public testing::WithParamInterface<MailCase> {};

std::string withDirectory(std::string line, const std::string& directory)
{
    const std::string marker = "{cwd}";
    for (std::size_t at = line.find(marker); at != std::string::npos; at = line.find(marker, at))
        line.replace(at, marker.size(), directory);
    return line;
}

TEST_P(Mails, WriteOnlyTheBodyAndMailOnlyTheProgramFile)
{
    const MailCase& c = GetParam();
    write(at("body_of_email.htm"), "<P>Ready-made</P>\r\n");
    engine::BMKG.Mode = c.mode;
    testing::internal::CaptureStderr();
    c.procedure();
    // A mail without a report builds no RTF document, and that is no failure
    // to tell anyone about.
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    if (!c.writes) {
        EXPECT_FALSE(std::filesystem::exists(at("KR")));
        EXPECT_TRUE(m_drawn.empty());
        EXPECT_EQ(engine::BMKG.PageWidth, 8000);
    } else {
        EXPECT_EQ(filesIn(at("KR")), Lines{"kr57.html"});
        EXPECT_EQ(engine::BMKG.PageWidth, 8270);
        EXPECT_EQ(engine::BMKG.PageHeight, 11530);
    }
    Lines expected;
    for (const std::string& line : c.lines)
        expected.push_back(withDirectory(line, cwd()));
    EXPECT_EQ(mailLines(), expected);
    EXPECT_EQ(m_shellOpens, 0);
}

const Lines emailOneMail = {
    "create Outlook.Application",
    "get CreateItem(0) -> {1}",
    "call {1}.Attachments.Add(\"{cwd}\\Scandskw.exe\",1,1,\"Scandskw.exe\")",
    "call {1}.Recipients.Add(\"pia.lindqvist@example.com\")",
    "call {1}.Recipients.Add(\" noah.berger@example.net\")",
    "get {1}.Recipients.Add(\"mara.quill@example.com\") -> {2}",
    "set {2}.type = 3",
    "get {1}.Recipients.Add(\" tobias.renn@example.org\") -> {3}",
    "set {3}.type = 3",
    "set {1}.Subject = \"No reports this time\"",
    "set {1}.HTMLBody = \"<P>Ready-made</P>\"",
    "set {1}.Importance = 0",
    "call {1}.Display",
    "deactivate 1",
};

const Lines emailTwoMail = {
    "create Outlook.Application",
    "get CreateItem(0) -> {1}",
    "call {1}.Attachments.Add(\"{cwd}\\Winhelp.exe\",1,1,\"Winhelp.exe\")",
    "call {1}.Recipients.Add(\"elena.moravec@example.org\")",
    "call {1}.Recipients.Add(\" felix.ortmann@example.com\")",
    "get {1}.Recipients.Add(\"mara.quill@example.com\") -> {2}",
    "set {2}.type = 2",
    "get {1}.Recipients.Add(\" tobias.renn@example.org\") -> {3}",
    "set {3}.type = 2",
    "set {1}.Subject = \"No reports attached\"",
    "set {1}.HTMLBody = \"" +
        htmlBody("FFFFFF", "<FONT face=\"Terminal\" size=4 color=#FF0000>",
                 {"This body is built line-by-line", "You can put here whatever you want",
                  "<FONT color=#ff0000 size=7>and even use HTML tags</FONT>"}) +
        "\"",
    "set {1}.Importance = 2",
    "call {1}.Display",
    "deactivate 1",
};

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, Mails,
    testing::Values(MailCase{"EmailOnePrint", zorvane::EmailOne, 0, false, {}},
                    MailCase{"EmailOnePreview", zorvane::EmailOne, 1, true, emailOneMail},
                    MailCase{"EmailOneSilentEmail", zorvane::EmailOne, 2, true, emailOneMail},
                    MailCase{"EmailOneSave", zorvane::EmailOne, 3, true, {}},
                    MailCase{"EmailOneSilentSave", zorvane::EmailOne, 4, true, {}},
                    MailCase{"EmailTwoPrint", zorvane::EmailTwo, 0, false, {}},
                    MailCase{"EmailTwoSilentEmail", zorvane::EmailTwo, 2, true, emailTwoMail},
                    MailCase{"EmailTwoSave", zorvane::EmailTwo, 3, true, {}},
                    MailCase{"EmailTwoSilentSave", zorvane::EmailTwo, 4, true, {}},
                    MailCase{"EmailTwoAboveSilentSave", zorvane::EmailTwo, 7, true, emailTwoMail}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(HookTest, TheMailsFillTheQueuesAndLeaveTheirGlobals)
{
    engine::BMKG.Mode = 4;
    engine::BMKG.WorkFolder = cwd() + "\\mails";
    zorvane::EmailTwo();
    EXPECT_EQ(engine::BMKG.WorkFolder.clipped(), cwd() + "\\mails\\");
    EXPECT_EQ(filesIn(at("mails")), Lines{"kr57.html"});
    EXPECT_EQ(oaq(), Lines{cwd() + "\\Winhelp.exe"});
    EXPECT_EQ(obq(), (Lines{"This body is built line-by-line", "You can put here whatever you want",
                            "<FONT color=#ff0000 size=7>and even use HTML tags</FONT>"}));
    EXPECT_EQ(engine::BMKG.JobNumber, 57);
    zorvane::EmailOne();
    EXPECT_EQ(oaq(), Lines{cwd() + "\\Scandskw.exe"});
    EXPECT_TRUE(obq().empty());
}

} // namespace
