// The RTF document writer against the exact bytes of its template.

#include "engine/rtf/rtf_writer.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/global_data.h"
#include "framework/core/clock.h"
#include "framework/fs/path.h"
#include "framework/fs/work_file.h"
#include "tests/support/file_faults.h"
#include "tests/support/small_disk.h"
#include "tests/support/temp_folder.h"

using namespace engine;

namespace {

constexpr const char* Tag = "1234567890";

// clang-format off
// H1 to H7: the font table, colour table, style sheet and the start of the
// information group, each with its CR LF.
const std::string FixedHead =
    R"({\rtf1\ansi\ansicpg1252\uc1\deff0\stshfdbch0\stshfloch0\stshfhich0\stshfbi0\deflang3081\deflangfe3081{\fonttbl{\f0\froman\fcharset0\fprq2{\*\panose 02020603050405020304}Times New Roman;}{\f36\froman\fcharset238\fprq2 Times New Roman CE;})" "\r\n"
    R"({\f37\froman\fcharset204\fprq2 Times New Roman Cyr;}{\f39\froman\fcharset161\fprq2 Times New Roman Greek;}{\f40\froman\fcharset162\fprq2 Times New Roman Tur;}{\f41\froman\fcharset177\fprq2 Times New Roman (Hebrew);})" "\r\n"
    R"({\f42\froman\fcharset178\fprq2 Times New Roman (Arabic);}{\f43\froman\fcharset186\fprq2 Times New Roman Baltic;}}{\colortbl;\red0\green0\blue0;\red0\green0\blue255;\red0\green255\blue255;\red0\green255\blue0;\red255\green0\blue255;\red255\green0\blue0;)" "\r\n"
    R"(\red255\green255\blue0;\red255\green255\blue255;\red0\green0\blue128;\red0\green128\blue128;\red0\green128\blue0;\red128\green0\blue128;\red128\green0\blue0;\red128\green128\blue0;\red128\green128\blue128;\red192\green192\blue192;}{\stylesheet{)" "\r\n"
    R"(\ql \li0\ri0\widctlpar\aspalpha\aspnum\faauto\adjustright\rin0\lin0\itap0 \fs24\lang3081\langfe3081\cgrid\langnp3081\langfenp3081 \snext0 Normal;}{\*\cs10 \additive \ssemihidden Default Paragraph Font;}{\*)" "\r\n"
    R"(\ts11\tsrowd\trftsWidthB3\trpaddl108\trpaddr108\trpaddfl3\trpaddft3\trpaddfb3\trpaddfr3\trcbpat1\trcfpat1\tscellwidthfts0\tsvertalt\tsbrdrt\tsbrdrl\tsbrdrb\tsbrdrr\tsbrdrdgl\tsbrdrdgr\tsbrdrh\tsbrdrv )" "\r\n"
    R"(\ql \li0\ri0\widctlpar\aspalpha\aspnum\faauto\adjustright\rin0\lin0\itap0 \fs20\lang1024\langfe1024\cgrid\langnp1024\langfenp1024 \snext11 \ssemihidden Normal Table;}}{\*\rsidtbl \rsid13835495}{\*\generator Microsoft Word 10.0.2627;}{\info{\title   })" "\r\n";;

// H11 to H13: section formatting and list levels.
const std::string ListLevels =
    R"(\linex0\headery708\footery708\colsx708\endnhere\sectlinegrid360\sectdefaultcl\sftnbj {\*\pnseclvl1\pnucrm\pnstart1\pnindent720\pnhang {\pntxta .}}{\*\pnseclvl2\pnucltr\pnstart1\pnindent720\pnhang {\pntxta .}}{\*\pnseclvl3\pndec\pnstart1\pnindent720\pnhang)" "\r\n"
    R"({\pntxta .}}{\*\pnseclvl4\pnlcltr\pnstart1\pnindent720\pnhang {\pntxta )}}{\*\pnseclvl5\pndec\pnstart1\pnindent720\pnhang {\pntxtb (}{\pntxta )}}{\*\pnseclvl6\pnlcltr\pnstart1\pnindent720\pnhang {\pntxtb (}{\pntxta )}}{\*\pnseclvl7)" "\r\n"
    R"(\pnlcrm\pnstart1\pnindent720\pnhang {\pntxtb (}{\pntxta )}}{\*\pnseclvl8\pnlcltr\pnstart1\pnindent720\pnhang {\pntxtb (}{\pntxta )}}{\*\pnseclvl9\pnlcrm\pnstart1\pnindent720\pnhang {\pntxtb (}{\pntxta )}}\pard\plain )" "\r\n";;

const std::string PictureParagraph = R"(\ql \li0\ri0\widctlpar\aspalpha\aspnum\faauto\adjustright\rin0\lin0\itap0 \fs24\lang3081\langfe3081\cgrid\langnp3081\langfenp3081 {\insrsid13835495)";

const std::string G1 = R"( {\pict{\*\picprop\shplid1026{\sp{\sn shapeType}{\sv 75}}{\sp{\sn fFlipH}{\sv 0}})" "\r\n";
const std::string G5 = R"(}}{\insrsid13835495)";
const std::string Trailer = " \r\n\\par }}";

std::string infoLine(const std::string& stamp)
{
    return R"({\author Tavrimond K.}{\operator Tavrimond K.}{\creatim)" + stamp + R"(}{\revtim)" + stamp +
           R"(}{\version1}{\edmins4}{\nofpages2}{\nofwords0}{\nofchars2}{\*\company Korrin}{\nofcharsws2}{\vern16437}})"
           "\r\n";
}

std::string formattingLine(const std::string& paperAndMargins)
{
    return paperAndMargins +
           R"(\widowctrl\ftnbj\aenddoc\noxlattoyen\expshrtn\noultrlspc\dntblnsbdb\nospaceforul\formshade\horzdoc\dgmargin\dghspace180\dgvspace180\dghorigin1800\dgvorigin1440\dghshow1\dgvshow1)"
           "\r\n";
}

std::string sectionLine(bool landscape)
{
    return std::string(
               R"(\jexpand\viewkind1\viewscale100\pgbrdrhead\pgbrdrfoot\splytwnine\ftnlytwnine\htmautsp\nolnhtadjtbl\useltbaln\alntblind\lytcalctblwd\lyttblrtgr\lnbrkrule\nobrkwrptbl\snaptogridincell\allowfieldendsel\)") +
           (landscape ? R"(wrppunct\asianbrkrule\rsidroot13835495 \fet0\sectd \lndscpsxn)"
                      : R"(wrppunct\asianbrkrule\rsidroot13835495 \fet0\sectd )") +
           "\r\n";
}

std::string scaleLine(const std::string& scale)
{
    return R"({\sp{\sn fFlipV}{\sv 0}}{\sp{\sn pibFlags}{\sv 2}}{\sp{\sn fLine}{\sv 0}}{\sp{\sn fLayoutInCell}{\sv 1}}}\picscalex)" +
           scale + R"(\picscaley)" + scale + R"(\piccropl0\piccropr0\piccropt0\piccropb0)" "\r\n";
}

std::string sizeLine(const std::string& sizes, const std::string& tag = Tag)
{
    return sizes + R"(\wmetafile8\bliptag)" + tag + R"(\blipupi-58{\*\blipuid b09f3721717b6ae0a7a87d)" + tag + "}\r\n";
}
// clang-format on

// A page file: 22 header bytes that never reach the document, then `body`.
std::string pageFile(const std::string& body) { return std::string(22, '\x7F') + body; }

// `n` bytes counting 0, 1, 2, ...
std::string countingBytes(std::size_t n)
{
    std::string s;
    for (std::size_t i = 0; i < n; ++i)
        s += static_cast<char>(i & 0xFF);
    return s;
}

// The digits of countingBytes(n), without line breaks.
std::string countingHex(std::size_t n)
{
    std::string s;
    for (std::size_t i = 0; i < n; ++i) {
        s += "0123456789ABCDEF"[(i >> 4) & 15];
        s += "0123456789ABCDEF"[i & 15];
    }
    return s;
}

std::string repeated(const std::string& s, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += s;
    return out;
}

class RTFWriterTest : public test_support::TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        setClock(2026, 3, 7, 9, 5);
        fw::core::setRandomForTesting([this](std::int32_t low, std::int32_t high) {
            m_draws.emplace_back(low, high);
            return m_nextTag;
        });
        BMKG.WorkFolder = systemFolder();
        BMKG.JobNumber = 42;
    }

    void TearDown() override
    {
        fw::core::setClockForTesting({});
        fw::core::setRandomForTesting({});
        fw::fs::failNthWriteForTesting(0);
        TempFolderTest::TearDown();
    }

    void setClock(int year, int month, int day, int hour, int minute)
    {
        fw::core::setClockForTesting([=] { return fw::core::LocalDateTime{year, month, day, hour, minute, 0, 0}; });
    }

    // Page i of job 42, written with a lower-case extension as the mail
    // hooks do.
    void writePage(int page, const std::string& bytes) { write(at("42" + std::to_string(page) + ".wmf"), bytes); }

    std::uint8_t makeWorked(std::uint8_t pages, std::uint8_t landscape = 0, std::string paper = "A4",
                            std::uint8_t scale = 0)
    {
        return MakeRTFFile(systemFolder() + "42.RTF", paper, pages, scale, 197, 197, 8270, 11530, landscape);
    }

    std::string document() { return contents(at("42.RTF")); }

    // The text between the end of the n-th (1-based) G3 line and what
    // follows it: the page's hexadecimal lines.
    static std::string hexOfPage(const std::string& doc, int n)
    {
        std::size_t pos = 0;
        for (int i = 0; i < n; ++i)
            pos = doc.find("b09f3721717b6ae0a7a87d", pos + 1);
        pos = doc.find("}\r\n", pos) + 3;
        const std::size_t end = doc.find(G5, pos);
        return doc.substr(pos, end - pos);
    }

    std::vector<std::pair<std::int32_t, std::int32_t>> m_draws;
    std::int32_t m_nextTag = 1234567890;
};

} // namespace

struct WorkedCase {
    const char* name;
    std::uint8_t landscape;
    const char* paperAndMargins;
    const char* sizes;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const WorkedCase& row, std::ostream* os) { *os << row.name; }

class RTFWorkedValues : public RTFWriterTest, public ::testing::WithParamInterface<WorkedCase> {};

TEST_P(RTFWorkedValues, TheWholeDocumentIsTheTemplateByteForByte)
{
    const WorkedCase& c = GetParam();
    const std::string body = countingBytes(65);
    writePage(1, pageFile(body));
    ASSERT_EQ(makeWorked(1, c.landscape), 0);

    const std::string hex = countingHex(64) + "\r\n40";
    const std::string expected = FixedHead + infoLine(R"(\yr2026\mo3\dy7\hr9\min5)") +
                                 formattingLine(c.paperAndMargins) + sectionLine(c.landscape != 0) + ListLevels +
                                 PictureParagraph + G1 + scaleLine("100") + sizeLine(c.sizes) + hex + G5 + Trailer;
    EXPECT_EQ(document(), expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Orientations, RTFWorkedValues,
    ::testing::Values(WorkedCase{"Portrait", 0, R"(\psz9\paperw11909\paperh16834\margl500\margt500)",
                                 R"(\picw21005\pich29286\picwgoal11907\pichgoal16602)"},
                      WorkedCase{"Landscape", 1, R"(\psz9\paperw16834\paperh11909\margl500\margt500)",
                                 R"(\picw29286\pich22399\picwgoal16602\pichgoal11907)"},
                      WorkedCase{"AnyNonZeroFlagIsLandscape", 200,
                                 R"(\psz9\paperw16834\paperh11909\margl500\margt500)",
                                 R"(\picw29286\pich22399\picwgoal16602\pichgoal11907)"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct PaperCase {
    const char* name;
    const char* paper;
    const char* portrait;
    const char* landscape;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const PaperCase& row, std::ostream* os) { *os << row.name; }

class RTFPaperNames : public RTFWriterTest, public ::testing::WithParamInterface<PaperCase> {};

TEST_P(RTFPaperNames, PickThePaperTextOfTheOrientation)
{
    writePage(1, pageFile(""));
    for (std::uint8_t landscape : {0, 1}) {
        ASSERT_EQ(makeWorked(1, landscape, GetParam().paper), 0);
        const std::string expected = formattingLine(
            std::string(landscape ? GetParam().landscape : GetParam().portrait) + R"(\margl500\margt500)");
        EXPECT_NE(document().find("\r\n" + expected), std::string::npos) << "landscape " << int(landscape);
    }
}

#define A4_TEXTS R"(\psz9\paperw11909\paperh16834)", R"(\psz9\paperw16834\paperh11909)"
INSTANTIATE_TEST_SUITE_P(
    Papers, RTFPaperNames,
    ::testing::Values(PaperCase{"A4", "A4", A4_TEXTS}, PaperCase{"A4WithTrailingBlanks", "A4  ", A4_TEXTS},
                      PaperCase{"LowerCaseA4", "a4", A4_TEXTS}, PaperCase{"LeadingBlank", " A4", A4_TEXTS},
                      PaperCase{"Legal", "Legal", A4_TEXTS}, PaperCase{"Blank", "", A4_TEXTS},
                      PaperCase{"LowerCaseLetter", "letter", A4_TEXTS},
                      PaperCase{"A5", "A5", R"(\psz11\paperw8395\paperh11909)", R"(\psz11\paperw11909\paperh8395)"},
                      PaperCase{"Letter", "Letter   ", R"(\psz1\paperw12270\paperh15880)",
                                R"(\psz1\paperw15880\paperh12270)"}),
    [](const auto& info) { return std::string(info.param.name); });
#undef A4_TEXTS

TEST_F(RTFWriterTest, TheScaleTextIsTheScaleOr100ForZero)
{
    writePage(1, pageFile(""));
    const std::pair<std::uint8_t, const char*> cases[] = {{0, "100"}, {5, "5"}, {75, "75"}, {100, "100"}, {255, "255"}};
    for (const auto& [scale, text] : cases) {
        ASSERT_EQ(makeWorked(1, 0, "A4", scale), 0);
        EXPECT_NE(document().find(G1 + scaleLine(text)), std::string::npos) << int(scale);
    }
}

TEST_F(RTFWriterTest, PictureSizesAreExactProductsTruncated)
{
    struct Case {
        std::int32_t width, height;
        const char* portrait;
    } cases[] = {
        {8270, 11530, R"(\picw21005\pich29286\picwgoal11907\pichgoal16602)"},
        {10000, 10000, R"(\picw25400\pich25400\picwgoal14399\pichgoal14399)"},
        {8000, 12440, R"(\picw20320\pich31597\picwgoal11519\pichgoal17912)"},
        {0, 1, R"(\picw0\pich2\picwgoal0\pichgoal1)"},
    };
    writePage(1, pageFile(""));
    for (const Case& c : cases) {
        ASSERT_EQ(MakeRTFFile(systemFolder() + "42.RTF", "A4", 1, 0, 197, 197, c.width, c.height, 0), 0);
        EXPECT_NE(document().find(sizeLine(c.portrait)), std::string::npos) << c.width << "x" << c.height;
    }
}

TEST_F(RTFWriterTest, MarginsGetTheMillimetreFactorOnly)
{
    writePage(1, pageFile(""));
    ASSERT_EQ(MakeRTFFile(systemFolder() + "42.RTF", "A4", 1, 0, 1000, 0, 8270, 11530, 0), 0);
    EXPECT_NE(document().find(R"(\psz9\paperw11909\paperh16834\margl2540\margt0\widowctrl)"), std::string::npos);
}

TEST_F(RTFWriterTest, TheCreationStampCarriesNoLeadingZeros)
{
    struct Case {
        int year, month, day, hour, minute;
        const char* stamp;
        // The clock from its second reading on, when it moves on meanwhile.
        std::optional<fw::core::LocalDateTime> later;
    } cases[] = {
        {2026, 3, 7, 9, 5, R"(\yr2026\mo3\dy7\hr9\min5)", {}},
        {2026, 3, 7, 0, 0, R"(\yr2026\mo3\dy7\hr0\min0)", {}},
        {2026, 3, 7, 10, 30, R"(\yr2026\mo3\dy7\hr10\min30)", {}},
        {2027, 1, 1, 23, 59, R"(\yr2027\mo1\dy1\hr23\min59)", {}},
        {2026, 12, 31, 20, 10, R"(\yr2026\mo12\dy31\hr20\min10)", {}},
        // Midnight of the new year passes while the document is made: the
        // stamp is the one instant read, never the old time with a new date.
        {2026, 12, 31, 23, 59, R"(\yr2026\mo12\dy31\hr23\min59)", fw::core::LocalDateTime{2027, 1, 1, 0, 0, 0, 0}},
    };
    writePage(1, pageFile(""));
    for (const Case& c : cases) {
        int readings = 0;
        fw::core::setClockForTesting([&] {
            const fw::core::LocalDateTime first{c.year, c.month, c.day, c.hour, c.minute, 0, 0};
            return readings++ == 0 || !c.later ? first : *c.later;
        });
        ASSERT_EQ(makeWorked(1), 0);
        EXPECT_NE(document().find(infoLine(c.stamp)), std::string::npos) << c.stamp;
    }
}

TEST_F(RTFWriterTest, HexLinesHold128DigitsAndOnlyFullLinesEndTheirLine)
{
    struct Case {
        std::size_t fileBytes;
        std::string hex;
    } cases[] = {
        {0, ""},
        {10, ""},
        {22, ""},
        {23, "00"},
        {22 + 64, countingHex(64) + "\r\n"},
        {22 + 65, countingHex(64) + "\r\n40"},
        {22 + 128, countingHex(64) + "\r\n" + countingHex(128).substr(128) + "\r\n"},
    };
    for (const Case& c : cases) {
        const std::string bytes = c.fileBytes <= 22 ? std::string(c.fileBytes, 'h')
                                                    : pageFile(countingBytes(c.fileBytes - 22));
        writePage(1, bytes);
        ASSERT_EQ(makeWorked(1), 0);
        EXPECT_EQ(hexOfPage(document(), 1), c.hex) << c.fileBytes << " bytes";
    }
}

TEST_F(RTFWriterTest, DigitsAreUpperCaseHighNibbleFirstAndTheCountRestartsPerPage)
{
    writePage(1, pageFile(std::string("\x01\xAB\x00\xFF", 4) + std::string(61, '\x10')));
    writePage(2, pageFile(std::string(64, '\xCD')));
    ASSERT_EQ(makeWorked(2), 0);
    const std::string doc = document();
    EXPECT_EQ(hexOfPage(doc, 1), "01AB00FF" + repeated("10", 60) + "\r\n10");
    EXPECT_EQ(hexOfPage(doc, 2), repeated("CD", 64) + "\r\n");
}

// Pages far larger than anything the writer reads or writes at once, of
// sizes that put those boundaries in the middle of a line: the lines run on
// across them as if the page were encoded in one piece, with every byte
// value in every position of a line.
TEST_F(RTFWriterTest, ALargePageIsOneUnbrokenRunOfLines)
{
    const auto hexLines = [](const std::string& body) {
        std::string hex;
        for (std::size_t i = 0; i < body.size(); ++i) {
            const auto b = static_cast<unsigned char>(body[i]);
            hex += "0123456789ABCDEF"[b >> 4];
            hex += "0123456789ABCDEF"[b & 15];
            if ((i + 1) % 64 == 0)
                hex += "\r\n";
        }
        return hex;
    };
    std::string first(3'000'017, '\0'), second(1'048'576 + 5, '\0');
    std::uint32_t state = 12345;
    for (std::string* body : {&first, &second})
        for (char& c : *body) {
            state = state * 1103515245u + 12345u;
            c = static_cast<char>(state >> 23);
        }
    writePage(1, pageFile(first));
    writePage(2, pageFile(second));
    ASSERT_EQ(makeWorked(2), 0);
    const std::string doc = document();
    EXPECT_TRUE(hexOfPage(doc, 1) == hexLines(first)) << "page 1 differs";
    EXPECT_TRUE(hexOfPage(doc, 2) == hexLines(second)) << "page 2 differs";
}

TEST_F(RTFWriterTest, PageCountZeroTouchesNoFile)
{
    write(at("42.RTF"), "earlier document");
    EXPECT_EQ(makeWorked(0), 2);
    EXPECT_EQ(document(), "earlier document");
    EXPECT_EQ(MakeRTFFile(systemFolder() + "new.RTF", "A4", 0, 0, 197, 197, 8270, 11530, 0), 2);
    EXPECT_FALSE(std::filesystem::exists(at("new.RTF")));
    EXPECT_EQ(m_draws.size(), 2u); // the tag is drawn all the same, once per call
}

TEST_F(RTFWriterTest, AMissingSecondPageOfThreeLeavesNoDocumentAndKeepsTheEarlierOne)
{
    // A document that ends inside a picture group is no document: it would
    // be copied and mailed as the report. It is dropped, and the document of
    // an earlier run stays where it was.
    write(at("42.RTF"), "earlier document");
    writePage(1, pageFile("\x11"));
    writePage(3, pageFile("\x33"));
    ASSERT_EQ(makeWorked(3), 1);
    EXPECT_EQ(document(), "earlier document");
    EXPECT_EQ(test_support::fileNames(m_folder), (std::vector<std::string>{"42.RTF", "421.wmf", "423.wmf"}));
    EXPECT_FALSE(OROF.isOpen());
    EXPECT_FALSE(ORIF.isOpen());

    const auto written = writeRTFDocument(systemFolder() + "42.RTF", "A4", 3, 0, 197, 197, 8270, 11530, 0);
    ASSERT_FALSE(written);
    EXPECT_EQ(written.error().code, RTFResult::PageFailed);
    EXPECT_EQ(written.error().text(),
              "RTF writer: page 2 of 3: cannot open " + at("422.WMF").string() + ": No such file or directory");
}

TEST_F(RTFWriterTest, APageThatCannotBeOpenedForWritingFailsThePage)
{
    writePage(1, pageFile("\x11"));
    std::filesystem::permissions(at("421.wmf"), std::filesystem::perms::owner_read);
    EXPECT_EQ(makeWorked(1), 1);
}

TEST_F(RTFWriterTest, EveryPictureOfADocumentCarriesTheSameTag)
{
    for (int page = 1; page <= 3; ++page)
        writePage(page, pageFile("p"));
    ASSERT_EQ(makeWorked(3), 0);
    const std::string first = document();
    ASSERT_EQ(m_draws.size(), 1u);
    EXPECT_EQ(m_draws[0], std::make_pair(1111111111, 1410065407));
    const std::string group = sizeLine(R"(\picw21005\pich29286\picwgoal11907\pichgoal16602)");
    std::size_t groups = 0;
    for (std::size_t pos = first.find(group); pos != std::string::npos; pos = first.find(group, pos + 1))
        ++groups;
    EXPECT_EQ(groups, 3u);

    m_nextTag = 1410065407;
    ASSERT_EQ(makeWorked(3), 0);
    const std::string second = document();
    EXPECT_EQ(second.find(Tag), std::string::npos);
    EXPECT_NE(second.find(R"(\bliptag1410065407\blipupi-58{\*\blipuid b09f3721717b6ae0a7a87d1410065407})"),
              std::string::npos);
}

TEST_F(RTFWriterTest, TheRealRandomSourceGivesTenDigitTagsThatDiffer)
{
    fw::core::setRandomForTesting({});
    writePage(1, pageFile("p"));
    std::vector<std::string> tags;
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(makeWorked(1), 0);
        const std::string doc = document();
        const std::size_t pos = doc.find(R"(\bliptag)") + 8;
        const std::string tag = doc.substr(pos, 10);
        const long long value = std::stoll(tag);
        EXPECT_GE(value, 1111111111);
        EXPECT_LE(value, 1410065407);
        EXPECT_EQ(doc.substr(pos + 10, 11), R"(\blipupi-58)");
        tags.push_back(tag);
    }
    EXPECT_FALSE(tags[0] == tags[1] && tags[1] == tags[2]);
}

TEST_F(RTFWriterTest, BracesBalanceForOneAnd255Pages)
{
    for (int page = 1; page <= 255; ++page)
        writePage(page, pageFile(countingBytes(static_cast<std::size_t>(page))));
    for (std::uint8_t pages : {1, 2, 255}) {
        ASSERT_EQ(makeWorked(pages), 0);
        const std::string doc = document();
        int depth = 0;
        bool neverNegative = true;
        for (char c : doc) {
            depth += c == '{' ? 1 : c == '}' ? -1 : 0;
            neverNegative &= depth >= 0;
        }
        EXPECT_EQ(depth, 0) << int(pages) << " pages";
        EXPECT_TRUE(neverNegative);
        EXPECT_TRUE(doc.ends_with(Trailer));
    }
}

TEST_F(RTFWriterTest, ADocumentThatCannotBeOpenedGives2)
{
    EXPECT_EQ(MakeRTFFile(systemFolder() + "missing\\42.RTF", "A4", 1, 0, 197, 197, 8270, 11530, 0), 2);
    write(at("42.RTF"), "held");
    fw::fs::ByteFile holder;
    holder.name = systemFolder() + "42.rtf";
    ASSERT_EQ(holder.open(), 0);
    writePage(1, pageFile("p"));
    EXPECT_EQ(makeWorked(1), 2);
    EXPECT_EQ(holder.close(), 0);
    EXPECT_EQ(document(), "held");
}

TEST_F(RTFWriterTest, AFailedWriteIsNeverReportedAsSuccess)
{
    // Count the writes of a good run, then fail each one of them in turn.
    writePage(1, pageFile(countingBytes(200000)));
    writePage(2, pageFile("x"));
    int writes = 0;
    for (int n = 1;; ++n) {
        fw::fs::failNthWriteForTesting(n);
        const std::uint8_t result = makeWorked(2);
        fw::fs::failNthWriteForTesting(0);
        if (result == 0) {
            writes = n - 1;
            break;
        }
        EXPECT_EQ(result, 2) << "write " << n;
        ASSERT_LT(n, 100);
    }
    EXPECT_GE(writes, 6);
    EXPECT_FALSE(OROF.isOpen());
    EXPECT_FALSE(ORIF.isOpen());
}

TEST_F(RTFWriterTest, AReadErrorInsideAPageFailsThePage)
{
    // A FIFO opens like a file but cannot be read by position: every read of
    // it is an error, not an end of file.
    ASSERT_EQ(::mkfifo(at("421.wmf").c_str(), 0666), 0);
    EXPECT_EQ(makeWorked(1), 1);
    EXPECT_FALSE(document().ends_with(Trailer));
}

namespace {

// One way a document fails. `arrange` prepares the folder (the earlier
// document 42.RTF and page files are there already) and may arm a seam or
// give another output path; `reason` is the error's text after its layer,
// with the folder's path in place of "@".
struct DocumentFaultRow {
    const char* name;
    std::function<std::string(const std::filesystem::path& folder)> arrange; // the output path
    std::uint8_t pages;
    std::uint8_t result;
    std::string reason;
    bool keepsEarlier = true;
};

void PrintTo(const DocumentFaultRow& row, std::ostream* os) { *os << row.name; }

class RTFDocumentFault : public RTFWriterTest, public ::testing::WithParamInterface<DocumentFaultRow> {
protected:
    void TearDown() override
    {
        test_support::disarmFileFaults();
        m_disk.reset();
        RTFWriterTest::TearDown();
    }

    std::optional<test_support::SmallDisk> m_disk;
};

} // namespace

TEST_P(RTFDocumentFault, IsNeverReportedAsCompleteAndLeavesTheEarlierDocument)
{
    const DocumentFaultRow& row = GetParam();
    write(at("42.RTF"), "earlier document");
    writePage(1, pageFile(countingBytes(200000)));
    writePage(2, pageFile("x"));
    std::string output = row.arrange(m_folder);
    if (output.empty()) {
        m_disk.emplace(at("disk"), 64);
        if (!m_disk->mounted())
            GTEST_SKIP() << m_disk->why();
        write(at("disk/42.RTF"), "earlier document");
        output = systemFolder() + "disk\\42.RTF";
    }

    const auto written = writeRTFDocument(output, "A4", row.pages, 0, 197, 197, 8270, 11530, 0);
    fw::fs::failNthWriteForTesting(0);
    ASSERT_FALSE(written) << "reported as complete";
    EXPECT_EQ(written.error().code, row.result);
    EXPECT_EQ(written.error().text(), "RTF writer: " + test_support::withFolder(row.reason, m_folder.string()));
    // The result byte is the error's code; the seams are armed afresh.
    row.arrange(m_folder);
    EXPECT_EQ(MakeRTFFile(output, "A4", row.pages, 0, 197, 197, 8270, 11530, 0), row.result);
    fw::fs::failNthWriteForTesting(0);
    EXPECT_FALSE(OROF.isOpen());
    EXPECT_FALSE(ORIF.isOpen());

    // The output's folder holds what it held before: no cut document, no
    // temporary.
    const std::filesystem::path folder = fw::fs::toNative(output).parent_path();
    if (row.keepsEarlier) {
        EXPECT_TRUE(contents(folder / "42.RTF") == "earlier document") << "the earlier document was replaced";
    }
    for (const std::string& name : test_support::fileNames(folder))
        EXPECT_FALSE(name.starts_with(".")) << name;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, RTFDocumentFault,
    ::testing::Values(
        DocumentFaultRow{"AWriteFails",
                         [](const auto& folder) {
                             fw::fs::failNthWriteForTesting(3);
                             return test_support::backslashed(folder.string() + "/42.RTF");
                         },
                         2, RTFResult::NotWritten, "cannot write @/42.RTF: No space left on device"},
        DocumentFaultRow{"TheCloseFails",
                         [](const auto& folder) {
                             fw::fs::failNthCloseForTesting(1);
                             return test_support::backslashed(folder.string() + "/42.RTF");
                         },
                         2, RTFResult::NotWritten, "cannot write @/42.RTF: Input/output error"},
        DocumentFaultRow{"TheRenameFails",
                         [](const auto& folder) {
                             fw::fs::failNthRenameForTesting(1);
                             return test_support::backslashed(folder.string() + "/42.RTF");
                         },
                         2, RTFResult::NotWritten, "cannot put @/42.RTF in place: Input/output error"},
        DocumentFaultRow{"TheDiskIsFull", [](const auto&) { return std::string(); }, 2, RTFResult::NotWritten,
                         "cannot write @/disk/42.RTF: No space left on device"},
        DocumentFaultRow{"MorePagesThanThereAre",
                         [](const auto& folder) { return test_support::backslashed(folder.string() + "/42.RTF"); }, 3,
                         RTFResult::PageFailed, "page 3 of 3: cannot open @/423.WMF: No such file or directory"},
        DocumentFaultRow{"APageThatIsAFolder",
                         [](const auto& folder) {
                             std::filesystem::remove(folder / "422.wmf");
                             std::filesystem::create_directory(folder / "422.wmf");
                             return test_support::backslashed(folder.string() + "/42.RTF");
                         },
                         2, RTFResult::PageFailed, "page 2 of 2: @/422.wmf is a folder"},
        DocumentFaultRow{"TheDocumentNameIsAFIFO",
                         [](const auto& folder) {
                             ::mkfifo((folder / "fifo.RTF").c_str(), 0666);
                             return test_support::backslashed(folder.string() + "/fifo.RTF");
                         },
                         2, RTFResult::NotWritten, "@/fifo.RTF is a FIFO, not a file"},
        DocumentFaultRow{"AnOutputPathLongerThanItsField",
                         [](const auto& folder) {
                             const std::string path = folder.string() + "/" + std::string(300, 'b');
                             return test_support::backslashed(path.substr(0, 300));
                         },
                         2, RTFResult::NotWritten,
                         "the path is 300 characters long, more than the 256 that a file name holds"},
        DocumentFaultRow{"TheWorkFolderIsAFile",
                         [](const auto& folder) {
                             std::filesystem::create_directory(folder / "sub");
                             test_support::writeFile(folder / "sub" / "KR", "a file");
                             return test_support::backslashed(folder.string() + "/sub/KR/42.RTF");
                         },
                         2, RTFResult::NotWritten, "cannot create @/sub/KR/42.RTF: Not a directory", false}),
    [](const auto& info) { return std::string(info.param.name); });
