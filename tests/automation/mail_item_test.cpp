#include "framework/automation/mail_item.h"

#include <gtest/gtest.h>

#include "framework/automation/draft_opener.h"
#include "framework/automation/drafts_folder.h"
#include "framework/automation/failure_report.h"
#include "framework/automation/ole_control.h"
#include "tests/support/desktop_mail_handler.h"
#include "tests/support/draft_reader.h"
#include "tests/support/temp_folder.h"

using namespace fw::automation;
using namespace test_support;

namespace {

// One mail at a time through the real "Outlook.Application": drafts go to a
// scratch folder and the opener is caught instead of started. Member texts
// are sent as the engine sends them, results dropped; the draft and the
// reported failures show what became of them.
class MailItemTest : public testing::Test {
protected:
    MailItemTest()
        : m_drafts(draftsFolderVariable.data(), (m_scratch.path() / "drafts").string()),
          m_opener(draftOpenerVariable.data(), std::nullopt)
    {
        setFailureSinkForTesting([this](const std::string& line) { m_failures.push_back(line); });
        setDraftLauncherForTesting([this](const std::vector<std::string>& command) {
            m_launched.push_back(command);
            return true;
        });
        (void)m_ole.setCreate("Outlook.Application");
        m_item = m_ole.get("CreateItem(0)").value_or("");
    }
    ~MailItemTest() override
    {
        setFailureSinkForTesting({});
        setDraftLauncherForTesting({});
    }

    std::filesystem::path file(const std::string& name, const std::string& bytes)
    {
        const auto p = m_scratch.path() / name;
        writeFile(p, bytes);
        return p;
    }
    // The system writes paths with backslashes; so do these tests.
    static std::string systemPath(const std::filesystem::path& p) { return backslashed(p.string()); }
    void call(const std::string& members) { (void)m_ole.call(m_item + members); }
    void set(const std::string& members, Value v) { (void)m_ole.set(m_item + members, v); }
    void addRecipient(const std::string& text, std::int64_t type = 1)
    {
        const std::string ref = m_ole.get(m_item + ".Recipients.Add(\"" + text + "\")").value_or("");
        if (type != 1)
            (void)m_ole.set(ref + ".type", Value(type));
    }
    std::vector<std::filesystem::path> drafts() const { return filesIn(m_scratch.path() / "drafts"); }
    ReadDraft onlyDraft()
    {
        const auto files = drafts();
        EXPECT_EQ(files.size(), 1u);
        if (files.size() != 1)
            return {};
        ReadDraft d = readDraft(readFile(files.front()));
        EXPECT_TRUE(d.parsed);
        return d;
    }

    TempFolder m_scratch{"automation-test"};
    DesktopMailHandler m_noMailProgram; // drafts go to xdg-open
    ScopedEnv m_drafts;
    ScopedEnv m_opener;
    OleControl m_ole;
    std::string m_item;
    std::vector<std::string> m_failures;
    std::vector<std::vector<std::string>> m_launched;
};

TEST_F(MailItemTest, DisplayWritesOneDraftAMailProgramReadsBack)
{
    const std::string rtf = "{\\rtf1\\ansi Report}\r\n";
    std::string note(3000, '\0');
    for (std::size_t i = 0; i < note.size(); ++i)
        note[i] = char(i * 7 % 256);
    const auto report = file("Report.RTF", rtf);
    file("Note.doc", note);
    const std::string html = "<HTML><BODY>X  YZ</BODY></HTML>";

    call(".Attachments.Add(\"" + systemPath(report) + "\",1,1,\"Report.rtf\")");
    // Any case finds the file, as on the system's own platform.
    call(".Attachments.Add(\"" + systemPath(m_scratch.path() / "NOTE.DOC") + "\",1,1,\"Note.doc\")");
    addRecipient("x1@example.org");
    addRecipient(" x2@example.org");
    addRecipient("");
    addRecipient("Jane Doe <jane@example.org>", 2);
    addRecipient("  ", 2);
    addRecipient("boss@example.org ", 3);
    set(".Subject", Value(std::string("Monthly report")));
    set(".HTMLBody", Value(html));
    set(".Importance", Value(std::int64_t(1)));
    call(".Display");
    EXPECT_TRUE(m_failures.empty()) << m_failures.front();

    const ReadDraft d = onlyDraft();
    EXPECT_EQ(d.headers.at("X-Unsent"), "1");
    EXPECT_EQ(d.headers.count("From"), 0u);
    EXPECT_EQ(d.headers.count("Date"), 0u);
    EXPECT_EQ(d.headers.count("Importance"), 0u);
    EXPECT_EQ(d.headers.count("X-Priority"), 0u);
    EXPECT_EQ(d.to, "x1@example.org, x2@example.org");
    EXPECT_EQ(d.cc, "Jane Doe <jane@example.org>");
    EXPECT_EQ(d.bcc, "boss@example.org");
    EXPECT_EQ(d.subject, "Monthly report");
    EXPECT_EQ(d.bodyType, "text/html");
    EXPECT_EQ(d.bodyCharset, "us-ascii");
    EXPECT_EQ(d.bodyEncoding, "quoted-printable");
    EXPECT_EQ(d.body, html);
    ASSERT_EQ(d.attachments.size(), 2u);
    EXPECT_EQ(d.attachments[0].name, "Report.rtf");
    EXPECT_EQ(d.attachments[0].encoding, "base64");
    EXPECT_EQ(d.attachments[0].bytes, rtf);
    EXPECT_EQ(d.attachments[1].name, "Note.doc");
    EXPECT_EQ(d.attachments[1].bytes, note);

    ASSERT_EQ(m_launched.size(), 1u);
    EXPECT_EQ(m_launched[0], (std::vector<std::string>{"xdg-open", drafts().front().string()}));
    EXPECT_EQ(drafts().front().extension(), ".eml");
}

TEST_F(MailItemTest, EveryLineEndsInCrLfAndTheHeadersAreAscii)
{
    addRecipient("Jörg Müller <joerg@example.org>");
    set(".Subject", Value(std::string("Grüße aus Köln")));
    set(".HTMLBody", Value(std::string(2000, 'a'))); // one long line, as the body is joined
    call(".Display");
    const auto files = drafts();
    ASSERT_EQ(files.size(), 1u);
    const std::string raw = readFile(files.front());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\n') {
            ASSERT_TRUE(i > 0 && raw[i - 1] == '\r') << "bare LF at " << i;
        }
    }
    std::size_t start = 0;
    for (std::size_t end; (end = raw.find("\r\n", start)) != std::string::npos; start = end + 2)
        ASSERT_LE(end - start, 998u);
    const ReadDraft d = readDraft(raw);
    for (const char c : d.headerBlock)
        ASSERT_LT(static_cast<unsigned char>(c), 0x80);
    EXPECT_NE(d.headerBlock.find("Subject: =?"), std::string::npos);
    EXPECT_EQ(d.subject, "Grüße aus Köln");
    EXPECT_EQ(d.to, "Jörg Müller <joerg@example.org>");
    EXPECT_EQ(d.body, std::string(2000, 'a'));
}

struct PiecesRow {
    const char* name;
    std::vector<std::string> pieces; // as the engine adds them, one Recipients.Add each
    std::string to;                  // the To header read back; "(none)" when absent
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const PiecesRow& row, std::ostream* os) { *os << row.name; }

class MailRecipientPieces : public MailItemTest, public testing::WithParamInterface<PiecesRow> {};

TEST_P(MailRecipientPieces, BlanksAroundAreTrimmedAndEmptyPiecesSkipped)
{
    for (const std::string& piece : GetParam().pieces)
        call(".Recipients.Add(\"" + piece + "\")");
    call(".Display");
    EXPECT_TRUE(m_failures.empty()) << m_failures.front();
    const ReadDraft d = onlyDraft();
    EXPECT_EQ(d.headers.count("To") ? d.to : "(none)", GetParam().to);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, MailRecipientPieces,
    testing::Values(
        PiecesRow{"BlankAfterComma", {"x1@example.org", " x2@example.org"}, "x1@example.org, x2@example.org"},
        PiecesRow{"PaddedToItsField", {"x1@example.org" + std::string(186, ' ')}, "x1@example.org"},
        PiecesRow{"EmptyPieces", {"x1@example.org", "", "x2@example.org", ""}, "x1@example.org, x2@example.org"},
        PiecesRow{"OnlyEmpty", {"", "   "}, "(none)"},
        PiecesRow{"QuotedDisplayNameWithComma", {"\"Doe, Jane\" <jane@example.org>"},
                  "\"Doe, Jane\" <jane@example.org>"},
        PiecesRow{"BareName", {"x1"}, "x1"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct AttachmentNameRow {
    const char* name;
    std::string file;  // created in the scratch folder
    std::string shown; // the display name argument; blank: none given
    std::string read;  // the file name a mail program reads back (UTF-8)
    std::string type;  // the content type it reads, from the shared MIME database
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const AttachmentNameRow& row, std::ostream* os) { *os << row.name; }

class MailAttachmentName : public MailItemTest, public testing::WithParamInterface<AttachmentNameRow> {};

TEST_P(MailAttachmentName, IsTheDisplayNameOrElseTheFilesOwnWithItsContentType)
{
    ASSERT_TRUE(std::filesystem::exists("/usr/share/mime/mime.cache")) << "install shared-mime-info";
    const auto path = systemPath(file(GetParam().file, "bytes"));
    if (GetParam().shown.empty())
        call(".Attachments.Add(\"" + path + "\")");
    else
        call(".Attachments.Add(\"" + path + "\",1,1,\"" + GetParam().shown + "\")");
    call(".Display");
    EXPECT_TRUE(m_failures.empty()) << m_failures.front();
    const ReadDraft d = onlyDraft();
    ASSERT_EQ(d.attachments.size(), 1u);
    EXPECT_EQ(d.attachments[0].name, GetParam().read);
    EXPECT_EQ(d.attachments[0].contentType, GetParam().type);
    EXPECT_EQ(d.attachments[0].encoding, "base64");
    EXPECT_EQ(d.attachments[0].bytes, "bytes");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, MailAttachmentName,
    testing::Values(
        AttachmentNameRow{"Shown", "123.RTF", "Report.rtf", "Report.rtf", "application/rtf"},
        AttachmentNameRow{"NoneGiven", "Note.doc", "", "Note.doc", "application/msword"},
        AttachmentNameRow{"BlanksInside", "a.rtf", "Monthly Report.rtf", "Monthly Report.rtf", "application/rtf"},
        AttachmentNameRow{"Utf8", "b.rtf", "Gr\xC3\xBC\xC3\x9F" "e.rtf", "Gr\xC3\xBC\xC3\x9F" "e.rtf",
                          "application/rtf"},
        AttachmentNameRow{"Windows1252", "c.rtf", "Gr\xFC\xDF" "e.rtf", "Gr\xC3\xBC\xC3\x9F" "e.rtf",
                          "application/rtf"},
        AttachmentNameRow{"UpperCaseExtension", "d.bin", "LOGO.GIF", "LOGO.GIF", "image/gif"},
        AttachmentNameRow{"Program", "Winhelp.exe", "", "Winhelp.exe", "application/x-ms-dos-executable"},
        AttachmentNameRow{"PlainText", "e.bin", "notes.txt", "notes.txt", "text/plain"},
        AttachmentNameRow{"UnknownExtension", "f.zzq", "", "f.zzq", "application/octet-stream"},
        AttachmentNameRow{"NoExtension", "Ledger", "", "Ledger", "application/octet-stream"},
        // A message may not travel base64-encoded as message/rfc822.
        AttachmentNameRow{"MessageGoesAsBytes", "old.eml", "", "old.eml", "application/octet-stream"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct ImportanceRow {
    const char* name;
    Value value;
    const char* importance; // nullptr: no such header
    const char* priority;
    bool accepted;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const ImportanceRow& row, std::ostream* os) { *os << row.name; }

class MailImportance : public MailItemTest, public testing::WithParamInterface<ImportanceRow> {};

TEST_P(MailImportance, HighAndLowAreMarkedNormalIsNot)
{
    set(".Importance", Value(std::int64_t(2))); // a refused value keeps what was there
    set(".Importance", GetParam().value);
    EXPECT_EQ(m_failures.empty(), GetParam().accepted);
    call(".Display");
    const ReadDraft d = onlyDraft();
    const auto header = [&](const char* name) {
        const auto it = d.headers.find(name);
        return it == d.headers.end() ? std::string("(none)") : it->second;
    };
    EXPECT_EQ(header("Importance"), GetParam().importance ? GetParam().importance : "(none)");
    EXPECT_EQ(header("X-Priority"), GetParam().priority ? GetParam().priority : "(none)");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, MailImportance,
    testing::Values(ImportanceRow{"Low", Value(std::int64_t(0)), "low", "5", true},
                    ImportanceRow{"Normal", Value(std::int64_t(1)), nullptr, nullptr, true},
                    ImportanceRow{"High", Value(std::int64_t(2)), "high", "1", true},
                    ImportanceRow{"LowAsText", Value(std::string("0")), "low", "5", true},
                    ImportanceRow{"ThreeIsRefused", Value(std::int64_t(3)), "high", "1", false},
                    ImportanceRow{"WordIsRefused", Value(std::string("High")), "high", "1", false}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct InjectionRow {
    const char* name;
    std::string subject;
    std::string recipient;
    std::string displayName;
    std::string decodedSubject;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const InjectionRow& row, std::ostream* os) { *os << row.name; }

class MailHeaderInjection : public MailItemTest, public testing::WithParamInterface<InjectionRow> {};

// Line breaks in data become blanks: no text of the data starts a header.
TEST_P(MailHeaderInjection, NoDataStartsAHeaderLine)
{
    const auto attachment = file("a.txt", "A");
    call(".Attachments.Add(\"" + systemPath(attachment) + "\",1,1,\"" + GetParam().displayName + "\")");
    addRecipient(GetParam().recipient);
    set(".Subject", Value(GetParam().subject));
    call(".Display");
    const ReadDraft d = onlyDraft();
    EXPECT_EQ(d.headerNames, (std::vector<std::string>{"X-Unsent", "To", "Subject", "MIME-Version"}));
    EXPECT_EQ(d.subject, GetParam().decodedSubject);
    EXPECT_EQ(d.headers.count("Bcc"), 0u);
    ASSERT_EQ(d.attachments.size(), 1u);
    EXPECT_EQ(d.attachments[0].name.find_first_of("\r\n"), std::string::npos);
    const std::string raw = readFile(drafts().front());
    EXPECT_EQ(raw.find("\r\nBcc:"), std::string::npos);
    EXPECT_EQ(raw.find("\r\nX-Evil"), std::string::npos);
    EXPECT_EQ(raw.find("\nX-Evil"), std::string::npos);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, MailHeaderInjection,
    testing::Values(
        InjectionRow{"CrLfInSubject", "Hi\r\nBcc: evil@example.org", "x@example.org", "a.txt",
                     "Hi  Bcc: evil@example.org"},
        InjectionRow{"LfInSubject", "Hi\nX-Evil: 1", "x@example.org", "a.txt", "Hi X-Evil: 1"},
        InjectionRow{"CrLfInRecipient", "S", "x@example.org\r\nBcc: evil@example.org", "a.txt", "S"},
        InjectionRow{"CrLfInDisplayName", "S", "x@example.org", "a.txt\r\nX-Evil: 1", "S"},
        InjectionRow{"NulInSubject", std::string("Hi\0Bcc: e@example.org", 22), "x@example.org", "a.txt",
                     "Hi Bcc: e@example.org"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

std::string repeated(const std::string& piece, std::size_t length)
{
    std::string s;
    while (s.size() < length)
        s += piece;
    s.resize(length);
    return s;
}

// "r0@example.org, r1@example.org, ..." of about `length` characters.
std::string addressList(std::size_t length)
{
    std::string list;
    for (int i = 0; list.size() < length; ++i)
        list += (i ? ", r" : "r") + std::to_string(i) + "@example.org";
    return list;
}

// The subject as RFC 2047 reads it, one encoded word at a time (blanks
// between two encoded words do not count). GMime's own reader joins the
// payloads of neighbouring base64 words before it decodes them and loses
// what follows a padded word; mail programs decode word by word.
std::string subjectWordByWord(const std::string& headerBlock)
{
    const std::size_t start = headerBlock.find("\r\nSubject:");
    if (start == std::string::npos)
        return "(none)";
    std::size_t end = start + 2;
    do
        end = headerBlock.find("\r\n", end) + 2;
    while (end < headerBlock.size() && (headerBlock[end] == ' ' || headerBlock[end] == '\t'));
    std::string value = headerBlock.substr(start + 11, end - start - 13);
    std::string decoded;
    bool lastEncoded = false;
    std::size_t i = 0;
    while (i < value.size()) {
        const std::size_t wordStart = value.find_first_not_of(" \t\r\n", i);
        if (wordStart == std::string::npos)
            break;
        const std::size_t wordEnd = std::min(value.find_first_of(" \t\r\n", wordStart), value.size());
        const std::string word = value.substr(wordStart, wordEnd - wordStart);
        const bool encoded = word.starts_with("=?") && word.ends_with("?=");
        if (!decoded.empty() && !(encoded && lastEncoded))
            decoded += value.substr(i, wordStart - i).find_first_of(" \t") == std::string::npos ? "" : " ";
        if (encoded) {
            char* text = g_mime_utils_header_decode_text(nullptr, word.c_str());
            decoded += text;
            g_free(text);
        } else {
            decoded += word;
        }
        lastEncoded = encoded;
        i = wordEnd;
    }
    return decoded;
}

// The display name and address of the only mailbox of an address header's
// (unfolded) value. Between the words of a display name any run of blanks
// and tabs is one blank, as a reader shows it: GMime folds a long name at
// its blanks with a tab.
std::string onlyMailbox(const std::string& list)
{
    InternetAddressList* parsed = internet_address_list_parse(nullptr, list.c_str());
    std::string shown = "(not one mailbox)";
    if (parsed && internet_address_list_length(parsed) == 1) {
        InternetAddress* a = internet_address_list_get_address(parsed, 0);
        std::string name;
        for (const char* c = internet_address_get_name(a); c && *c; ++c) {
            const bool blank = *c == ' ' || *c == '\t';
            if (!blank)
                name += *c;
            else if (!name.empty() && name.back() != ' ')
                name += ' ';
        }
        shown = name + " <" + internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(a)) + ">";
    }
    if (parsed)
        g_object_unref(parsed);
    return shown;
}

struct FoldingRow {
    const char* name;
    std::vector<std::string> to; // one Recipients.Add each
    std::string subject;
    std::string attachmentName;
    std::size_t longestLine; // the longest line the message may hold
    std::string mailbox;     // for a single recipient: its name and address read back; "" otherwise
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const FoldingRow& row, std::ostream* os) { *os << row.name; }

class MailHeaderFolding : public MailItemTest, public testing::WithParamInterface<FoldingRow> {};

// Long recipient lists, display names, subjects and attachment names fold
// to lines of 78 characters, and a mail program reads the values back whole.
TEST_P(MailHeaderFolding, KeepsEveryLineWithinTheLimitAndTheValuesWhole)
{
    const FoldingRow& row = GetParam();
    for (const std::string& piece : row.to)
        addRecipient(piece);
    set(".Subject", Value(row.subject));
    if (!row.attachmentName.empty())
        call(".Attachments.Add(\"" + systemPath(file("a.bin", "A")) + "\",1,1,\"" + row.attachmentName + "\")");
    call(".Display");
    EXPECT_TRUE(m_failures.empty()) << m_failures.front();

    const std::string raw = readFile(drafts().front());
    std::size_t longest = 0;
    for (std::size_t start = 0, end; (end = raw.find("\r\n", start)) != std::string::npos; start = end + 2)
        longest = std::max(longest, end - start);
    EXPECT_LE(longest, row.longestLine);
    const ReadDraft d = onlyDraft();
    if (row.mailbox.empty()) {
        std::string to;
        for (const std::string& piece : row.to)
            to += (to.empty() ? "" : ", ") + piece;
        EXPECT_EQ(d.to, to);
    } else {
        EXPECT_EQ(onlyMailbox(d.headers.at("To")), row.mailbox);
    }
    EXPECT_EQ(subjectWordByWord(d.headerBlock), row.subject);
    if (!row.attachmentName.empty()) {
        ASSERT_EQ(d.attachments.size(), 1u);
        EXPECT_EQ(d.attachments[0].name, row.attachmentName);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, MailHeaderFolding,
    testing::Values(
        FoldingRow{"ListOf3000CharactersInOneText", {addressList(3000)}, "S", "", 78, ""},
        FoldingRow{"ManyPieces", std::vector<std::string>(150, "someone@example.org"), "S", "", 78, ""},
        FoldingRow{"LongDisplayName", {"\"" + repeated("Doe Jane ", 2999) + "J\" <jane@example.org>"}, "S", "",
                   78, repeated("Doe Jane ", 2999) + "J <jane@example.org>"},
        FoldingRow{"LongDisplayNameWithoutBlanks", {std::string(3000, 'N') + " <n@example.org>"}, "S", "", 78,
                   std::string(3000, 'N') + " <n@example.org>"},
        FoldingRow{"SubjectOfWords", {"x@example.org"}, repeated("word ", 2999) + "w", "", 78, ""},
        FoldingRow{"SubjectWithoutBlanks", {"x@example.org"}, std::string(3000, 'S'), "", 78, ""},
        FoldingRow{"NonAsciiSubject", {"x@example.org"}, repeated("Gr\xC3\xBC\xC3\x9F" "e ", 3000) + "!", "", 78,
                   ""},
        // GMime writes encoded words of up to 78 characters, which no fold
        // can split; the line then holds one of them, far below 998.
        FoldingRow{"SubjectOfLongWords", {"x@example.org"}, repeated(std::string(100, 'w') + " ", 3000) + "w", "",
                   79, ""},
        FoldingRow{"LongAttachmentName", {"x@example.org"}, "S", std::string(300, 'n') + ".doc", 78, ""},
        // The longest address a mail system takes stays whole on its line.
        FoldingRow{"LongestAddress", {std::string(242, 'a') + "@example.org"}, "S", "", 1 + 254, ""},
        FoldingRow{"LongestAddressWithAName", {"Ann <" + std::string(242, 'a') + "@example.org>"}, "S", "",
                   1 + 254 + 2, "Ann <" + std::string(242, 'a') + "@example.org>"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(MailItemTest, AnAddressLongerThanAMailAddressCanBeIsRefused)
{
    const std::string address = std::string(2988, 'a') + "@example.org"; // 3000 characters
    EXPECT_FALSE(m_ole.call(m_item + ".Recipients.Add(\"" + address + "\")"));
    addRecipient("x@example.org");
    call(".Display");
    ASSERT_EQ(m_failures.size(), 1u);
    EXPECT_TRUE(m_failures[0].ends_with("failed: mail item: recipient \"" + std::string(60, 'a') +
                                        "...\" holds an address of 3000 characters; a mail address has at most 254"))
        << m_failures[0];
    const ReadDraft d = onlyDraft();
    EXPECT_EQ(d.to, "x@example.org");
}

TEST_F(MailItemTest, MissingAttachmentFailsNamingItAndTheOthersStillGoIn)
{
    const auto first = file("first.txt", "1");
    const auto last = file("last.txt", "3");
    const std::string missing = systemPath(m_scratch.path() / "Missing.doc");
    call(".Attachments.Add(\"" + systemPath(first) + "\",1,1,\"first.txt\")");
    call(".Attachments.Add(\"" + missing + "\",1,1,\"Missing.doc\")");
    call(".Attachments.Add(\"" + systemPath(last) + "\",1,1,\"last.txt\")");
    call(".Display");

    const std::string native = (m_scratch.path() / "Missing.doc").string();
    EXPECT_EQ(m_failures, (std::vector<std::string>{
                              "automation: call \"" + m_item + ".Attachments.Add(\"" + escapedForReport(missing) +
                                  "\",1,1,\"Missing.doc\")\" failed: mail item: the attachment file " + missing + " (" +
                                  native + ") does not exist, so the mail goes without it",
                          }));
    const ReadDraft d = onlyDraft();
    ASSERT_EQ(d.attachments.size(), 2u);
    EXPECT_EQ(d.attachments[0].name, "first.txt");
    EXPECT_EQ(d.attachments[1].name, "last.txt");
}

struct RefusedRow {
    const char* name;
    std::string members; // after the item reference
    std::string reason;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const RefusedRow& row, std::ostream* os) { *os << row.name; }

class MailItemRefuses : public MailItemTest, public testing::WithParamInterface<RefusedRow> {};

TEST_P(MailItemRefuses, WhatAMailItemDoesNotOffer)
{
    EXPECT_FALSE(m_ole.call(m_item + GetParam().members));
    ASSERT_EQ(m_failures.size(), 1u);
    const std::string tail = " failed: " + GetParam().reason;
    EXPECT_TRUE(m_failures[0].ends_with(tail)) << m_failures[0];
    EXPECT_TRUE(drafts().empty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, MailItemRefuses,
    testing::Values(
        RefusedRow{"Send", ".Send", "mail item: has no member Send"},
        RefusedRow{"RecipientNoAddress", ".Recipients.Add(\"not an address\")",
                   "mail item: recipient \"not an address\" is not a mail address"},
        RefusedRow{"RecipientTwoArguments", ".Recipients.Add(\"a\",\"b\")",
                   "recipients: Add takes one quoted text, the recipient"},
        RefusedRow{"AttachmentByReference", ".Attachments.Add(\"x\",4,1,\"y\")",
                   "attachments: Add takes a file path, then optionally the type 1 (a copy of the file), a "
                   "position and a display name"},
        RefusedRow{"AttachmentQuoteInPath", ".Attachments.Add(\"a\",1,1,\"b\",1,1,\"c\")",
                   "attachments: Add takes a file path, then optionally the type 1 (a copy of the file), a "
                   "position and a display name"},
        RefusedRow{"DisplayWithArgument", ".Display(1)", "mail item: Display takes no arguments"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(MailItemTest, RecipientTypeOutsideOneToThreeIsRefused)
{
    const std::string ref = m_ole.get(m_item + ".Recipients.Add(\"a@example.org\")").value_or("");
    EXPECT_FALSE(m_ole.set(ref + ".Type", Value(std::int64_t(4))));
    EXPECT_EQ(m_ole.get(ref + ".type").value_or(""), "1");
    EXPECT_TRUE(m_ole.set(ref + ".TYPE", Value(std::int64_t(3))));
    EXPECT_EQ(m_ole.get(ref + ".Type").value_or(""), "3");
    EXPECT_EQ(m_failures.size(), 1u);
}

TEST_F(MailItemTest, CreateItemServesOnlyMailItems)
{
    EXPECT_FALSE(m_ole.get("CreateItem(1)"));
    EXPECT_EQ(m_failures, (std::vector<std::string>{"automation: get \"CreateItem(1)\" failed: mail application: "
                                                    "item type 1 is not served; 0 (mail item) is"}));
}

TEST_F(MailItemTest, EachDisplayIsANewDraftAndNoTemporaryFileStays)
{
    set(".Subject", Value(std::string("one")));
    call(".Display");
    call(".Display");
    const auto files = drafts();
    ASSERT_EQ(files.size(), 2u);
    EXPECT_NE(files[0], files[1]);
    for (const auto& f : files) {
        EXPECT_EQ(f.extension(), ".eml");
        EXPECT_EQ(readDraft(readFile(f)).subject, "one");
    }
    EXPECT_EQ(m_launched.size(), 2u);
}

TEST_F(MailItemTest, AnOpenerThatCannotStartIsReportedAndTheDraftStays)
{
    setDraftLauncherForTesting([](const std::vector<std::string>&) { return false; });
    call(".Display");
    ASSERT_EQ(drafts().size(), 1u);
    ASSERT_EQ(m_failures.size(), 1u);
    EXPECT_TRUE(m_failures[0].ends_with("failed: mail drafts: the draft " + drafts().front().string() +
                                        " was written but xdg-open could not be started to open it"))
        << m_failures[0];
}

struct CharsetRow {
    const char* name;
    std::string html;
    const char* charset;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const CharsetRow& row, std::ostream* os) { *os << row.name; }

class MailBodyCharset : public MailItemTest, public testing::WithParamInterface<CharsetRow> {};

TEST_P(MailBodyCharset, TheDeclaredCharsetMatchesTheBytesAndTheBytesStay)
{
    set(".HTMLBody", Value(GetParam().html));
    call(".Display");
    const ReadDraft d = onlyDraft();
    EXPECT_EQ(d.bodyCharset, GetParam().charset);
    EXPECT_EQ(d.body, GetParam().html);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, MailBodyCharset,
    testing::Values(
        CharsetRow{"Ascii", "<META charset=iso-8859-1>plain", "us-ascii"},
        CharsetRow{"Empty", "", "us-ascii"},
        CharsetRow{"Utf8", "<P>Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC</P>", "utf-8"},
        CharsetRow{"Latin1Letters", "<META charset=iso-8859-1><P>Gr\xFC\xDF" "e</P>", "windows-1252"},
        CharsetRow{"Windows1252Euro", "<P>\x80 5</P>", "windows-1252"},
        CharsetRow{"ByteUndefinedIn1252", "<P>\x81\xE9</P>", "iso-8859-1"},
        CharsetRow{"OverlongUtf8IsNotUtf8", "<P>\xC0\xAF\xE9</P>", "windows-1252"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

} // namespace
