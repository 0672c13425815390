#include "framework/automation/html_text.h"

#include <gtest/gtest.h>

#include <string>

using namespace fw::automation;

namespace {

struct TextRow {
    const char* name;
    std::string html;
    std::string text;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const TextRow& row, std::ostream* os) { *os << row.name; }

class HtmlText : public testing::TestWithParam<TextRow> {};

// clang-format off
TEST_P(HtmlText, IsWhatAReaderSeesOfTheBody)
{
    EXPECT_EQ(plainTextOfHtml(GetParam().html), GetParam().text);
}
// clang-format on

// The body builder's file, its lines joined as SendEmail reads them.
const std::string builtBody =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">"
    "<HTML><HEAD><META content=\"text/html; charset=iso-8859-1\" http-equiv=Content-Type>"
    "<META content=\"MSHTML 5.00.2614.3500\" name=GENERATOR></HEAD><BODY bgColor=#C0C0C0><DIV>"
    "<FONT face=\"Bookman Old Style\" size=5 color=#000080>Just double-click Report attached<br>"
    "<FONT size=6>Will you?</FONT><br><FONT color=#ff0000 size=7>:-)</FONT><br></FONT></DIV></BODY></HTML>";

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, HtmlText,
    testing::Values(
        TextRow{"BuiltBody", builtBody, "Just double-click Report attached\nWill you?\n:-)"},
        TextRow{"NoBodyLines",
                "<HTML><HEAD><META content=\"MSHTML\" name=GENERATOR></HEAD><BODY bgColor=#FFFFFF><DIV>"
                "</DIV></BODY></HTML>",
                ""},
        TextRow{"ReadyMadeBody",
                "<HTML><HEAD><TITLE>Report mail demonstration</TITLE></HEAD><BODY BGCOLOR=#FFFFFF>"
                "<P><FONT face=Arial size=3>Hello,</FONT></P><P><FONT face=Arial size=2>Regards,<BR>"
                "The demonstration team</FONT></P></BODY></HTML>",
                "Hello,\nRegards,\nThe demonstration team"},
        TextRow{"BlanksAndLineBreaksOfTheSourceAreOneBlank", "<P>one\r\n   two\tthree  </P>", "one two three"},
        TextRow{"TwoBreaksMakeAnEmptyLine", "a<br><br>b", "a\n\nb"},
        TextRow{"CharacterReferences", "Fish &amp; chips &lt;b&gt; &quot;x&quot; caf&#233; &#x20AC;5 M&uuml;ller",
                "Fish & chips <b> \"x\" caf\xC3\xA9 \xE2\x82\xAC" "5 M\xC3\xBCller"},
        TextRow{"UnknownOrBrokenReferencesStay", "a &bogus; b & c &#xZZ;", "a &bogus; b & c &#xZZ;"},
        TextRow{"ScriptsStylesAndCommentsGiveNothing",
                "<style>p{color:red}</style>x<script>if (a<b) y();</script>y<!-- hidden -->z", "xyz"},
        TextRow{"QuotedGreaterThanStaysInItsTag", "<FONT title=\"a>b\">text</FONT>", "text"},
        TextRow{"LoneLessThanIsText", "1 < 2", "1 < 2"},
        TextRow{"HeadWithoutItsEndTag", "<HEAD><META x=1><BODY>seen", "seen"},
        TextRow{"Utf8Stays", "<P>Gr\xC3\xBC\xC3\x9F" "e</P>", "Gr\xC3\xBC\xC3\x9F" "e"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

} // namespace
