// The HTML body builder: the body file byte for byte, and the RTF stage with
// its named copies.

#include "engine/html/html_builder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/global_data.h"
#include "engine/html/build_outcome.h"
#include "framework/core/clock.h"
#include "framework/core/text.h"
#include "tests/support/file_faults.h"
#include "tests/support/temp_folder.h"

using namespace engine;

namespace {

const std::string Head = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\r\n\r\n"
                         "<HTML><HEAD>\r\n\r\n"
                         "<META content=\"text/html; charset=iso-8859-1\" http-equiv=Content-Type>\r\n\r\n"
                         "<META content=\"MSHTML 5.00.2614.3500\" name=GENERATOR></HEAD>\r\n\r\n";
const std::string End = "</DIV></BODY></HTML>\r\n";

std::string bodyTag(const std::string& hex) { return "<BODY bgColor=#" + hex + "><DIV>\r\n\r\n"; }

// The sixteen arguments, with the values a report's mail hook passes.
struct Build {
    std::string htmlPath;
    std::uint8_t pageCount = 1;
    std::int32_t background = 0xFF0000;
    std::uint8_t pictureScale = 0;
    std::string rtfName = fw::core::Text<50>("Report").str();
    std::string rtfFolder = fw::core::Text<200>().str();
    std::string fontName = "Arial";
    std::uint8_t fontSize = 3;
    std::int32_t fontColor = 0xFF;
    std::int32_t leftMargin = 197;
    std::int32_t topMargin = 197;
    std::int32_t pageWidth = 8270;
    std::int32_t pageHeight = 11530;
    std::uint8_t mode = 1;
    std::uint8_t landscape = 0;
    std::string paper = "A4";

    std::uint8_t run() const
    {
        return MakeHTMLFileBMKSW(htmlPath, pageCount, background, pictureScale, rtfName, rtfFolder, fontName, fontSize,
                                 fontColor, leftMargin, topMargin, pageWidth, pageHeight, mode, landscape, paper);
    }
};

class HTMLBuilderTest : public test_support::TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        fw::core::setClockForTesting([] { return fw::core::LocalDateTime{2026, 3, 7, 9, 5, 0, 0}; });
        fw::core::setRandomForTesting([](std::int32_t low, std::int32_t) { return low; });
        setProfile(ZorvaneProfile);
        BMKG.WorkFolder = systemFolder();
        BMKG.JobNumber = 42;
        OBQ.free();
        m_build.htmlPath = systemFolder() + "kr42.html";
        write(at("421.wmf"), std::string(22, 'h') + "page one");
    }

    void TearDown() override
    {
        OBQ.free();
        setProfile(ZorvaneProfile);
        fw::core::setClockForTesting({});
        fw::core::setRandomForTesting({});
        TempFolderTest::TearDown();
    }

    void addBodyLine(const std::string& line) { OBQ.append(OBQRecord{fw::core::Text<255>(line)}); }
    std::string html() { return contents(at("kr42.html")); }

    Build m_build;
};

} // namespace

TEST_F(HTMLBuilderTest, WithoutBodyLinesTheFileHasSixLinesAndNoFontTag)
{
    m_build.mode = 0;
    ASSERT_EQ(m_build.run(), 0);
    EXPECT_EQ(html(), Head + bodyTag("0000FF") + End);
    EXPECT_FALSE(ORAF.isOpen());
}

TEST_F(HTMLBuilderTest, BodyLinesGoInsideOneFontTagUnescaped)
{
    addBodyLine("Dear customer,");
    addBodyLine("");
    addBodyLine("  <b>your report</b> & more   ");
    m_build.mode = 0;
    ASSERT_EQ(m_build.run(), 0);
    EXPECT_EQ(html(), Head + bodyTag("0000FF") +
                          "<FONT face=\"Arial\" size=3 color=#FF0000>\r\n\r\n"
                          "Dear customer,<br>\r\n\r\n"
                          "<br>\r\n\r\n"
                          "  <b>your report</b> & more<br>\r\n\r\n"
                          "</FONT>\r\n\r\n" +
                          End);
    ASSERT_EQ(OBQ.count(), 3u); // only read
    EXPECT_EQ(OBQ.fetch(1)->LINE.clipped(), "Dear customer,");
}

TEST_F(HTMLBuilderTest, TextParametersAreClippedWhereUsed)
{
    addBodyLine("x");
    m_build.mode = 0;
    m_build.htmlPath = fw::core::Text<256>(systemFolder() + "kr42.html").str();
    m_build.fontName = fw::core::Text<40>("Times New Roman").str();
    m_build.fontSize = 12;
    ASSERT_EQ(m_build.run(), 0);
    EXPECT_NE(html().find("<FONT face=\"Times New Roman\" size=12 color=#FF0000>\r\n\r\n"), std::string::npos);
}

struct BackgroundCase {
    const char* name;
    const ProgramProfile* profile;
    std::int32_t background;
    const char* hex;
};

// Names the row in test listings instead of dumping its bytes.
inline void PrintTo(const BackgroundCase& row, std::ostream* os) { *os << row.name; }

class HTMLBackground : public HTMLBuilderTest, public ::testing::WithParamInterface<BackgroundCase> {};

TEST_P(HTMLBackground, ZeroOrLessMeansTheProgramsDefault)
{
    setProfile(*GetParam().profile);
    m_build.mode = 0;
    m_build.background = GetParam().background;
    ASSERT_EQ(m_build.run(), 0);
    EXPECT_EQ(html(), Head + bodyTag(GetParam().hex) + End);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Programs, HTMLBackground,
    ::testing::Values(BackgroundCase{"ZorvaneZero", &ZorvaneProfile, 0, "00FF00"},
                      BackgroundCase{"ZorvaneNegative", &ZorvaneProfile, -5, "00FF00"},
                      BackgroundCase{"ZorvaneGiven", &ZorvaneProfile, 1, "010000"},
                      BackgroundCase{"VextrelZero", &VextrelProfile, 0, "FFFFFF"},
                      BackgroundCase{"VextrelNegative", &VextrelProfile, -2147483647 - 1, "FFFFFF"},
                      BackgroundCase{"VextrelGiven", &VextrelProfile, 0xC0C0C0, "C0C0C0"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(HTMLBuilderTest, AFontColorOfZeroOrLessIsBlack)
{
    addBodyLine("x");
    m_build.mode = 0;
    for (std::int32_t color : {0, -1, -16777216}) {
        m_build.fontColor = color;
        ASSERT_EQ(m_build.run(), 0);
        EXPECT_NE(html().find(" size=3 color=#000000>\r\n\r\n"), std::string::npos) << color;
    }
}

TEST(ColorToHex, RedGreenBlueWithEveryDigitInItsPlace)
{
    // clang-format off
    struct Case {
        std::int32_t color;
        const char* hex;
    } cases[] = {
        // worked values
        {0xFF0000, "0000FF"}, {0x80FFFF, "FFFF80"}, {0x800000, "000080"}, {0xC0C0C0, "C0C0C0"},
        {0x808040, "408080"}, {0xFFFF00, "00FFFF"}, {0xFF, "FF0000"},     {0x00FF00, "00FF00"},
        {0, "000000"},
        // one digit at a time, zeros around it
        {0x000001, "010000"}, {0x000010, "100000"}, {0x000100, "000100"}, {0x001000, "001000"},
        {0x010000, "000001"}, {0x100000, "000010"},
        // every digit different
        {0x123456, "563412"}, {0xABCDEF, "EFCDAB"}, {0x0A0B0C, "0C0B0A"},
        // above 24 bits only the low 24 count
        {0x1FF0000, "0000FF"},
    };
    // clang-format on
    for (const Case& c : cases)
        EXPECT_EQ(ColorToHex(c.color), c.hex) << std::hex << c.color;
}

TEST_F(HTMLBuilderTest, ALongBodyLineKeepsItsWholeBreakTag)
{
    m_build.mode = 0;
    for (std::size_t length : {250u, 251u, 252u, 254u, 255u}) {
        OBQ.free();
        addBodyLine(std::string(length, 'x'));
        ASSERT_EQ(m_build.run(), 0);
        EXPECT_NE(html().find("\r\n" + std::string(length, 'x') + "<br>\r\n\r\n</FONT>\r\n\r\n"), std::string::npos)
            << length;
    }
}

TEST_F(HTMLBuilderTest, AHeadLineLongerThanTheRecordIsCutThere)
{
    addBodyLine("x");
    m_build.mode = 0;
    m_build.fontName = std::string(300, 'F');
    ASSERT_EQ(m_build.run(), 0);
    const std::string cut = ("<FONT face=\"" + std::string(300, 'F')).substr(0, 256);
    EXPECT_NE(html().find("\r\n\r\n" + cut + "\r\nx<br>"), std::string::npos);
}

TEST_F(HTMLBuilderTest, OnlyModesOneToFourWithADocumentNameBuildTheRTF)
{
    struct Case {
        std::uint8_t mode;
        const char* rtfName;
        bool rtf;
    } cases[] = {{0, "Report", false},   {1, "Report", true},  {2, "Report", true},
                 {3, "Report", true},    {4, "Report", true},  {5, "Report", false},
                 {255, "Report", false}, {1, "      ", false}, {2, "", false}};
    for (const Case& c : cases) {
        std::filesystem::remove(at("42.RTF"));
        std::filesystem::remove(at("Report.RTF"));
        m_build.mode = c.mode;
        m_build.rtfName = c.rtfName;
        ASSERT_EQ(m_build.run(), 0);
        EXPECT_EQ(html(), Head + bodyTag("0000FF") + End);
        EXPECT_EQ(std::filesystem::exists(at("42.RTF")), c.rtf) << int(c.mode) << " '" << c.rtfName << "'";
        EXPECT_EQ(std::filesystem::exists(at("Report.RTF")), c.rtf) << int(c.mode) << " '" << c.rtfName << "'";
        if (c.rtf) {
            EXPECT_EQ(contents(at("Report.RTF")), contents(at("42.RTF")));
        }
    }
}

TEST_F(HTMLBuilderTest, AFailedDocumentMakesNoCopies)
{
    const std::uint8_t pageCounts[] = {0, 2}; // no pages; a missing second page
    for (std::uint8_t pages : pageCounts) {
        m_build.pageCount = pages;
        m_build.rtfFolder = systemFolder() + "rtf";
        ASSERT_EQ(m_build.run(), 0);
        EXPECT_EQ(html(), Head + bodyTag("0000FF") + End);
        EXPECT_FALSE(std::filesystem::exists(at("Report.RTF"))) << int(pages);
        EXPECT_FALSE(std::filesystem::exists(at("rtf"))) << int(pages);
    }
}

TEST_F(HTMLBuilderTest, TheNamedCopyGoesInsideTheRTFFolderWithOrWithoutItsBackslash)
{
    const std::string base = systemFolder();
    // A folder that fills its whole field: no room for a backslash in the
    // field, but the copy still lands inside the folder.
    const std::string full = base + "deep\\" + std::string(200 - base.size() - 5, 'w');
    ASSERT_EQ(full.size(), 200u);
    struct Case {
        std::string folder;
        std::string copy;
    } cases[] = {
        {fw::core::Text<200>(base + "out").str(), "out/Report.RTF"},
        {fw::core::Text<200>(base + "out2\\").str(), "out2/Report.RTF"},
        {fw::core::Text<200>(base + "one\\two\\three").str(), "one/two/three/Report.RTF"},
        {fw::core::Text<200>(full).str(), "deep/" + std::string(200 - base.size() - 5, 'w') + "/Report.RTF"},
    };
    for (const Case& c : cases) {
        m_build.rtfFolder = c.folder;
        ASSERT_EQ(m_build.run(), 0);
        EXPECT_EQ(contents(at(c.copy)), contents(at("42.RTF"))) << c.copy;
        EXPECT_EQ(contents(at("Report.RTF")), contents(at("42.RTF")));
    }
}

TEST_F(HTMLBuilderTest, ASecondRunReplacesTheNamedCopies)
{
    m_build.rtfFolder = systemFolder() + "out";
    ASSERT_EQ(m_build.run(), 0);
    const std::string first = contents(at("Report.RTF"));
    write(at("421.wmf"), std::string(22, 'h') + "a different page");
    fw::core::setRandomForTesting([](std::int32_t, std::int32_t high) { return high; });
    ASSERT_EQ(m_build.run(), 0);
    const std::string second = contents(at("42.RTF"));
    EXPECT_NE(first, second);
    EXPECT_EQ(contents(at("Report.RTF")), second);
    EXPECT_EQ(contents(at("out/Report.RTF")), second);
}

TEST_F(HTMLBuilderTest, LargePagesGiveCopiesThatAreTheDocument)
{
    // Pages large enough that the work folder's copy is written beside the
    // document by its helper, not in the writer's own calls.
    std::string page(22, 'h');
    for (std::size_t i = 0; i < 700000; ++i)
        page += static_cast<char>((i * 7919) >> 3);
    write(at("421.wmf"), page);
    write(at("422.wmf"), page.substr(0, 300000));
    m_build.pageCount = 2;
    m_build.rtfFolder = systemFolder() + "out";
    ASSERT_EQ(m_build.run(), 0);
    EXPECT_TRUE(lastBuild().complete());
    const std::string document = contents(at("42.RTF"));
    EXPECT_GT(document.size(), 2000000u);
    EXPECT_TRUE(contents(at("Report.RTF")) == document);
    EXPECT_TRUE(contents(at("out/Report.RTF")) == document);
}

TEST_F(HTMLBuilderTest, ADocumentNameThatIsTheJobNumberLeavesTheDocumentWhole)
{
    // The named copy in the work folder is then the document itself; the
    // second run finds an earlier document under the name.
    m_build.rtfName = "42";
    for (int run = 1; run <= 2; ++run) {
        ASSERT_EQ(m_build.run(), 0);
        EXPECT_TRUE(lastBuild().complete()) << "run " << run;
        const std::string document = contents(at("42.RTF"));
        EXPECT_TRUE(document.starts_with("{\\rtf1")) << "run " << run;
        EXPECT_TRUE(document.ends_with(" \r\n\\par }}")) << "run " << run;
        for (const auto& entry : std::filesystem::directory_iterator(m_folder))
            EXPECT_FALSE(entry.path().filename().string().starts_with(".")) << entry.path();
    }
}

TEST_F(HTMLBuilderTest, AnHTMLPathInAMissingFolderGives2AndNoRTF)
{
    addBodyLine("x");
    m_build.htmlPath = systemFolder() + "missing\\kr42.html";
    EXPECT_EQ(m_build.run(), 2);
    EXPECT_FALSE(std::filesystem::exists(at("42.RTF")));
    EXPECT_FALSE(std::filesystem::exists(at("Report.RTF")));
    EXPECT_FALSE(ORAF.isOpen());
}

namespace {

// One way a build goes wrong. Before `arrange` the folder holds an earlier
// run's body file, document and named copy, and page 1 of job 42.
struct BuildFaultRow {
    const char* name;
    std::function<void(Build& build, const std::string& folder)> arrange;
    std::uint8_t result;
    std::vector<std::string> failures;       // lastBuild()'s texts, "@" for the folder's path
    std::map<std::string, std::string> kept; // files that hold exactly this afterwards
    std::vector<std::string> gone;           // files that must not exist afterwards
    bool documentMade = false;
};

void PrintTo(const BuildFaultRow& row, std::ostream* os) { *os << row.name; }

class HTMLBuilderFault : public HTMLBuilderTest, public ::testing::WithParamInterface<BuildFaultRow> {
protected:
    void TearDown() override
    {
        test_support::disarmFileFaults();
        HTMLBuilderTest::TearDown();
    }
};

const std::string Earlier = "earlier body";
const std::string EarlierDocument = "earlier document";
const std::string EarlierCopy = "earlier copy";

} // namespace

TEST_P(HTMLBuilderFault, SaysWhatWasNotMadeAndKeepsWhatWasThere)
{
    const BuildFaultRow& row = GetParam();
    write(at("kr42.html"), Earlier);
    write(at("42.RTF"), EarlierDocument);
    write(at("Report.RTF"), EarlierCopy);
    row.arrange(m_build, m_folder.string());

    EXPECT_EQ(m_build.run(), row.result);
    test_support::disarmFileFaults();

    std::vector<std::string> failures;
    for (const BuildFailure& failure : lastBuild().failures)
        failures.push_back(failure.text());
    std::vector<std::string> expected;
    for (const std::string& text : row.failures)
        expected.push_back(test_support::withFolder(text, m_folder.string()));
    EXPECT_EQ(failures, expected);
    EXPECT_EQ(lastBuild().complete(), row.failures.empty());
    EXPECT_EQ(lastBuild().documentMade(), row.documentMade);
    EXPECT_FALSE(ORAF.isOpen());
    EXPECT_FALSE(OROF.isOpen());

    for (const auto& [name, bytes] : row.kept)
        EXPECT_TRUE(contents(at(name)) == bytes) << name << " does not hold " << bytes;
    for (const std::string& name : row.gone)
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(at(name)))) << name;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(m_folder))
        EXPECT_FALSE(entry.path().filename().string().starts_with(".")) << "a temporary is left: " << entry.path();
}

INSTANTIATE_TEST_SUITE_P(
    Faults, HTMLBuilderFault,
    ::testing::Values(
        BuildFaultRow{"TheBodysFirstWriteFails",
                      [](Build&, const std::string&) { fw::fs::failNthWriteForTesting(1); },
                      2,
                      {"the HTML body file \"@/kr42.html\" could not be written: cannot write @/kr42.html: No space "
                       "left on device"},
                      {{"kr42.html", Earlier}, {"42.RTF", EarlierDocument}, {"Report.RTF", EarlierCopy}},
                      {}},
        BuildFaultRow{"TheBodysCloseFails",
                      [](Build&, const std::string&) { fw::fs::failNthCloseForTesting(1); },
                      2,
                      {"the HTML body file \"@/kr42.html\" could not be written: cannot write @/kr42.html: "
                       "Input/output error"},
                      {{"kr42.html", Earlier}, {"42.RTF", EarlierDocument}, {"Report.RTF", EarlierCopy}},
                      {}},
        BuildFaultRow{"TheBodysRenameFails",
                      [](Build&, const std::string&) { fw::fs::failNthRenameForTesting(1); },
                      2,
                      {"the HTML body file \"@/kr42.html\" could not be written: cannot put @/kr42.html in place: "
                       "Input/output error"},
                      {{"kr42.html", Earlier}, {"42.RTF", EarlierDocument}, {"Report.RTF", EarlierCopy}},
                      {}},
        BuildFaultRow{"TheBodyPathIsAFIFO",
                      [](Build& build, const std::string& folder) {
                          ::mkfifo((folder + "/fifo.html").c_str(), 0666);
                          build.htmlPath = test_support::backslashed(folder + "/fifo.html");
                      },
                      2,
                      {"the HTML body file \"@/fifo.html\" could not be written: @/fifo.html is a FIFO, not a file"},
                      {{"kr42.html", Earlier}, {"42.RTF", EarlierDocument}, {"Report.RTF", EarlierCopy}},
                      {}},
        BuildFaultRow{"TheDocumentsFirstWriteFails",
                      [](Build&, const std::string&) { fw::fs::failNthWriteForTesting(7); },
                      0,
                      {"the RTF document \"@/42.RTF\" was not built: cannot write @/42.RTF: No space left on device"},
                      {{"42.RTF", EarlierDocument}},
                      {"Report.RTF"}},
        BuildFaultRow{"MorePagesThanThereAre",
                      [](Build& build, const std::string&) { build.pageCount = 3; },
                      0,
                      {"the RTF document \"@/42.RTF\" was not built: page 2 of 3: cannot open @/422.WMF: No such "
                       "file or directory"},
                      {{"42.RTF", EarlierDocument}},
                      {"Report.RTF"}},
        BuildFaultRow{"NoPagesAskForNoDocument",
                      [](Build& build, const std::string&) { build.pageCount = 0; },
                      0,
                      {"the RTF document \"@/42.RTF\" was not built: the page count is 0"},
                      {{"42.RTF", EarlierDocument}, {"Report.RTF", EarlierCopy}},
                      {}},
        BuildFaultRow{"TheNamedCopysRenameFails",
                      [](Build&, const std::string&) { fw::fs::failNthRenameForTesting(3); },
                      0,
                      {"the named copy \"@/Report.RTF\" was not made: cannot put @/Report.RTF in place: "
                       "Input/output error"},
                      {},
                      {"Report.RTF"}},
        BuildFaultRow{"TheCopyInTheRTFFolderFails",
                      [](Build& build, const std::string& folder) {
                          std::filesystem::create_directory(folder + "/rtf");
                          test_support::writeFile(folder + "/rtf/Report.RTF", EarlierCopy);
                          build.rtfFolder = test_support::backslashed(folder + "/rtf");
                          fw::fs::failNthRenameForTesting(3);
                      },
                      0,
                      {"the named copy \"@/rtf/Report.RTF\" in the RTF folder was not made: cannot put "
                       "@/rtf/Report.RTF in place: Input/output error"},
                      {{"rtf/Report.RTF", EarlierCopy}},
                      {},
                      true},
        BuildFaultRow{"AnRTFFolderLongerThanItsField",
                      [](Build& build, const std::string&) { build.rtfFolder = "/" + std::string(200, 'r'); },
                      0,
                      {"the named copy \"/" + std::string(200, 'r') +
                       "/Report.RTF\" in the RTF folder was not made: the RTF folder is 201 characters long, more "
                       "than the 200 that it holds"},
                      {},
                      {"/" + std::string(200, 'r')}, // an absolute name: the folder is never made
                      true},
        BuildFaultRow{"NoWorkFolder",
                      [](Build&, const std::string&) { BMKG.WorkFolder.clear(); },
                      0,
                      {"the RTF document \"42.RTF\" was not built: no work folder is set"},
                      {{"42.RTF", EarlierDocument}, {"Report.RTF", EarlierCopy}},
                      {}},
        BuildFaultRow{"AWorkFolderThatIsAFile",
                      [](Build&, const std::string& folder) {
                          test_support::writeFile(folder + "/KR", "a file");
                          BMKG.WorkFolder = test_support::backslashed(folder + "/KR/");
                      },
                      0,
                      {"the RTF document \"@/KR/42.RTF\" was not built: cannot create @/KR/42.RTF: Not a directory"},
                      {{"KR", "a file"}, {"42.RTF", EarlierDocument}, {"Report.RTF", EarlierCopy}},
                      {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HTMLBuilderTest, ABodyPathLongerThanItsFieldIsNeverCutIntoAnotherName)
{
    // The path cut at 256 characters would name another file, which exists.
    const std::string path = (m_folder.string() + "/" + std::string(300, 'b')).substr(0, 300);
    const std::string cut = path.substr(0, 256);
    write(cut, "another file");
    m_build.htmlPath = path;
    EXPECT_EQ(m_build.run(), 2);
    EXPECT_EQ(contents(cut), "another file");
    ASSERT_EQ(lastBuild().failures.size(), 1u);
    EXPECT_EQ(lastBuild().failures[0].text(),
              "the HTML body file \"" + path +
                  "\" could not be written: the path is 300 characters long, more than the 256 that a file name "
                  "holds");
}
