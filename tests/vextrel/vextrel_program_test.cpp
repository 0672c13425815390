// vextrel run as a program, in a folder of its own, without a display.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "tests/vextrel/builder_call.h"
#include "tests/vextrel/program_run.h"
#include "tests/vextrel/vextrel_folder.h"

namespace {

namespace fs = std::filesystem;

const std::string NoCommandLine = "Sorry :-(: EXE must be called with secret\ncommand line parameters!!!\n";

struct RunCase {
    const char* name;
    std::vector<std::string> arguments;
    std::optional<std::uint8_t> pagesOfJob; // three page files of this job in KR/ before the run
    int goodsRecords;                       // -1: no GOODS file before the run
    int exitStatus;
    std::string standardError;
    std::string htmlPath; // "" when no HTML body file may be written
    std::string backgroundDigits;
    std::vector<std::string> workFolder; // every file in KR/ after the run
    std::string rtfJob;                  // the job whose document and named copy are checked
};

void PrintTo(const RunCase& c, std::ostream* out) { *out << c.name; }

class VextrelProgram : public VextrelFolderTest, public ::testing::WithParamInterface<RunCase> {};

TEST_P(VextrelProgram, BuildsWhatTheCommandLineAsksFor)
{
    const RunCase& c = GetParam();
    const fs::path job = at("job");
    fs::create_directories(job / "out");
    fs::current_path(job);
    if (c.goodsRecords >= 0)
        writeGoods(c.goodsRecords);
    std::vector<fs::path> pages;
    if (c.pagesOfJob)
        pages = writePages(*c.pagesOfJob, 3, "KR");
    fs::current_path(m_folder);

    const ProgramRun run = runVextrel(c.arguments, job, m_folder);
    ASSERT_FALSE(run.timedOut) << "vextrel did not end";
    EXPECT_EQ(run.exitStatus, c.exitStatus);
    EXPECT_EQ(run.standardError, test_support::withFolder(c.standardError, job.string()));
    EXPECT_EQ(run.standardOutput, "");

    // The goods report ran: GOODS exists (created when missing), the work
    // folder exists, and its pages are gone with their folder.
    EXPECT_TRUE(fs::exists(job / "GOODS.sqlite"));
    EXPECT_TRUE(fs::is_directory(job / "KR"));
    EXPECT_EQ(fileNames(m_folder / "pages"), std::vector<std::string>{});
    EXPECT_EQ(fileNames(job / "KR"), c.workFolder);

    if (c.htmlPath.empty()) {
        EXPECT_EQ(fileNames(job / "out"), std::vector<std::string>{});
    } else {
        EXPECT_EQ(contents(job / c.htmlPath), htmlBody(c.backgroundDigits));
    }

    if (!c.rtfJob.empty()) {
        const std::string document = contents(job / "KR" / (c.rtfJob + ".RTF"));
        EXPECT_EQ(document, contents(job / "KR" / "Report.RTF")) << "the named copy is the job's document";
        ASSERT_TRUE(document.starts_with("{\\rtf1"));
        // Every page is embedded, in page order: the first line of each
        // page's picture data follows the one of the page before.
        std::size_t from = 0;
        for (const fs::path& page : pages) {
            const std::string firstLine = hex(contents(page).substr(22, 64));
            const std::size_t at = document.find(firstLine, from);
            ASSERT_NE(at, std::string::npos) << page;
            from = at + firstLine.size();
        }
    }
}

const std::vector<std::string> PagesOf12{"121.wmf", "122.wmf", "123.wmf"};
const std::vector<std::string> BuiltFor12{"12.RTF", "121.wmf", "122.wmf", "123.wmf", "Report.RTF"};

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Runs, VextrelProgram,
    ::testing::Values(
        RunCase{"NoParametersRunsTheReportAndBuildsNothing", {}, std::nullopt, -1, 1, NoCommandLine, "", "", {}, ""},
        RunCase{"NoParametersWithPagesLeavesThem", {}, 12, 3, 1, NoCommandLine, "", "", PagesOf12, ""},
        RunCase{"ExampleBuildsTheJobsDocuments", {"12", "2", call("out/kr12.html")}, 12, -1, 0, "",
                "out/kr12.html", "FFFFFF", BuiltFor12, "12"},
        RunCase{"ExampleAfterAGoodsReportOfThreeRecords", {"12", "2", call("out/kr12.html")}, 12, 3, 0, "",
                "out/kr12.html", "FFFFFF", BuiltFor12, "12"},
        RunCase{"ExampleAfterAGoodsReportOfNoRecords", {"12", "2", call("out/kr12.html")}, 12, 0, 0, "",
                "out/kr12.html", "FFFFFF", BuiltFor12, "12"},
        RunCase{"ExampleAsOneArgument", {"12 2 " + call("out/kr12.html")}, 12, -1, 0, "", "out/kr12.html",
                "FFFFFF", BuiltFor12, "12"},
        RunCase{"FirstWordOf300UsesJob44", {"300", "2", call("out/kr44.html")}, 44, -1, 0, "", "out/kr44.html",
                "FFFFFF", {"44.RTF", "441.wmf", "442.wmf", "443.wmf", "Report.RTF"}, "44"},
        RunCase{"ModeWordDoesNotChooseTheDocuments", {"12", "0", call("out/kr12.html")}, 12, -1, 0, "",
                "out/kr12.html", "FFFFFF", BuiltFor12, "12"},
        RunCase{"FourteenthArgumentZeroWritesOnlyTheHTMLBodyFile", {"12", "2", call("out/kr12.html", 3, "16777215", 0)},
                12, -1, 0, "", "out/kr12.html", "FFFFFF", PagesOf12, ""},
        RunCase{"FourteenthArgumentFiveWritesOnlyTheHTMLBodyFile", {"12", "2", call("out/kr12.html", 3, "16777215", 5)},
                12, -1, 0, "", "out/kr12.html", "FFFFFF", PagesOf12, ""},
        RunCase{"BlankDocumentNameWritesOnlyTheHTMLBodyFile",
                {"12", "2", call("out/kr12.html", 3, "16777215", 2, "   ")}, 12, -1, 0, "", "out/kr12.html", "FFFFFF",
                PagesOf12, ""},
        RunCase{"BackgroundZeroIsWhite", {"12", "2", call("out/kr12.html", 3, "0", 0)}, std::nullopt, -1, 0, "",
                "out/kr12.html", "FFFFFF", {}, ""},
        RunCase{"BackgroundIsWrittenRedFirst", {"12", "2", call("out/kr12.html", 3, "255", 0)}, std::nullopt, -1, 0,
                "", "out/kr12.html", "FF0000", {}, ""},
        RunCase{"MissingPagesWriteTheHTMLBodyFileAndNoDocument", {"12", "2", call("out/kr12.html")}, 13, -1, 1,
                "vextrel: the RTF document \"@/KR/12.RTF\" was not built: page 1 of 3: cannot open @/KR/121.WMF: "
                "No such file or directory\n",
                "out/kr12.html", "FFFFFF", {"131.wmf", "132.wmf", "133.wmf"}, ""},
        RunCase{"CommandLineStartingWithTheCallUsesJob0", {call("out/kr0.html")}, 0, -1, 0, "", "out/kr0.html",
                "FFFFFF", {"0.RTF", "01.wmf", "02.wmf", "03.wmf", "Report.RTF"}, "0"},
        RunCase{"NumbersSeparatedByCommasBuildNothing", {"12,2," + call("out/kr12.html")}, 12, -1, 1,
                "vextrel: Expression: unexpected ',' at position 1\n", "", "", PagesOf12, ""},
        RunCase{"BlanksAndDigitsUpToPosition100AreBlanked",
                {"12", "2", std::string(94, ' ') + "5" + call("out/kr12.html")}, 12, -1, 0, "", "out/kr12.html",
                "FFFFFF", BuiltFor12, "12"},
        RunCase{"ADigitAtPosition101StaysInFrontOfTheCall",
                {"12", "2", std::string(95, ' ') + "5" + call("out/kr12.html")}, 12, -1, 1,
                "vextrel: Expression: unexpected 'MakeHTMLFileBMKSW' at position 2\n", "", "", PagesOf12, ""},
        RunCase{"AnotherNameBuildsNothing", {"12", "2", "MakeHTMLFile(1)"}, 12, -1, 1,
                "vextrel: Expression: unknown name 'MakeHTMLFile' at position 1\n", "", "", PagesOf12, ""},
        RunCase{"TooFewArgumentsBuildNothing", {"12", "2", "MakeHTMLFileBMKSW('out/kr12.html',3)"}, 12, -1, 1,
                "vextrel: Expression: 'MakeHTMLFileBMKSW' at position 1 takes 16 arguments, not 2\n", "", "",
                PagesOf12, ""},
        RunCase{"AnExpressionWithoutTheCallBuildsNothing", {"12", "2", "1+1"}, 12, -1, 1,
                "vextrel: the command line calls no MakeHTMLFileBMKSW\n", "", "", PagesOf12, ""},
        RunCase{"AnHTMLBodyFileThatCannotBeWrittenFails", {"12", "2", call("missing/kr12.html")}, 12, -1, 1,
                "vextrel: the HTML body file \"missing/kr12.html\" could not be written: cannot create "
                "missing/kr12.html: No such file or directory\n",
                "", "", PagesOf12, ""}),
    [](const ::testing::TestParamInfo<RunCase>& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(VextrelFolderTest, AGoodsFileThatCannotBeOpenedEndsTheProgramWithDiskError)
{
    const fs::path job = at("job");
    fs::create_directories(job / "out");
    std::ofstream(job / "GOODS.sqlite") << "not a data file";
    writePages(12, 3, (job / "KR").string());

    const ProgramRun run = runVextrel({"12", "2", call("out/kr12.html")}, job, m_folder);
    ASSERT_FALSE(run.timedOut) << "vextrel did not end";
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_TRUE(run.standardError.starts_with(
        "File Access Error: Error: (Not a valid data file) attempting to open the Goods file.\n"))
        << run.standardError;
    EXPECT_TRUE(run.standardError.ends_with("\nProgram Halted: Disk Error\n")) << run.standardError;
    // The program ended in the goods report, before the command line was read.
    EXPECT_EQ(fileNames(job / "out"), std::vector<std::string>{});
    EXPECT_EQ(fileNames(job / "KR"), PagesOf12);
}

} // namespace
