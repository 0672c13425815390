#include "framework/automation/mailto_link.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace fw::automation;

namespace {

struct LinkRow {
    const char* name;
    MailDraft draft;
    std::string body;
    std::vector<std::filesystem::path> files;
    std::string link;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const LinkRow& row, std::ostream* os) { *os << row.name; }

class MailtoLinkOf : public testing::TestWithParam<LinkRow> {};

TEST_P(MailtoLinkOf, CarriesEveryPartEncodedSoNoValueEndsEarly)
{
    const MailtoLink made = mailtoLink(GetParam().draft, GetParam().body, GetParam().files);
    EXPECT_EQ(made.link, GetParam().link);
    EXPECT_FALSE(made.bodyCut);
}

MailDraft everything()
{
    MailDraft d;
    d.to = {"Mara Quill <mara.quill@example.com>", " tobias.renn@example.org", ""};
    d.cc = {"Oskar Brandt <oskar.brandt@example.net>"};
    d.bcc = {"  "};
    d.subject = "ATTN: Liesel & Co = 100%? #1";
    d.importance = Importance::High;
    return d;
}

MailDraft lowImportance()
{
    MailDraft d;
    d.bcc = {"helga.sommer@example.org"};
    // clang-format off
    d.subject = "Gr\xFC\xDF" "e"; // Windows-1252 from the data
    // clang-format on
    d.importance = Importance::Low;
    return d;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, MailtoLinkOf,
    testing::Values(
        LinkRow{"Everything", everything(), "Line one\nLine two",
                {"/tmp/d/mail-1/Report.rtf", "/tmp/d/mail-1/My Notes.doc"},
                "mailto:Mara%20Quill%20%3Cmara.quill@example.com%3E%2C%20tobias.renn@example.org"
                "?cc=Oskar%20Brandt%20%3Coskar.brandt@example.net%3E"
                "&subject=ATTN%3A%20Liesel%20%26%20Co%20%3D%20100%25%3F%20%231"
                "&body=Line%20one%0ALine%20two"
                "&attach=file%3A%2F%2F%2Ftmp%2Fd%2Fmail-1%2FReport.rtf"
                "&attach=file%3A%2F%2F%2Ftmp%2Fd%2Fmail-1%2FMy%2520Notes.doc"
                "&Importance=high&X-Priority=1"},
        LinkRow{"LowImportanceAndUtf8", lowImportance(), "", {},
                "mailto:?bcc=helga.sommer@example.org&subject=Gr%C3%BC%C3%9Fe&Importance=low&X-Priority=5"},
        LinkRow{"OnlyAnAttachment", MailDraft{}, "", {"/d/a.doc"}, "mailto:?attach=file%3A%2F%2F%2Fd%2Fa.doc"},
        LinkRow{"Nothing", MailDraft{}, "", {}, "mailto:"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// A link is one argument of a command line; a body too long for one is cut
// at a whole character and the cut is said.
TEST(MailtoLinkOf, ABodyTooLongForACommandLineIsCutAtAWholeCharacter)
{
    MailDraft d;
    d.to = {"x@example.org"};
    std::string body;
    for (int i = 0; i < 30000; ++i)
        body += "\xC3\xBC"; // each "%C3%BC" in the link
    const MailtoLink made = mailtoLink(d, body, {"/d/a.doc"});
    EXPECT_TRUE(made.bodyCut);
    EXPECT_LE(made.link.size(), maxLinkLength);
    EXPECT_GT(made.link.size(), maxLinkLength - 6);
    const std::string attach = "&attach=file%3A%2F%2F%2Fd%2Fa.doc";
    ASSERT_TRUE(made.link.ends_with(attach));
    EXPECT_TRUE(made.link.substr(0, made.link.size() - attach.size()).ends_with("%C3%BC"));
}

} // namespace
