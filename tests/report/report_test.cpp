#include "framework/report/report.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "framework/core/date_time.h"
#include "framework/core/text.h"
#include "framework/report/layout_registry.h"
#include "tests/support/page_reader.h"
#include "tests/support/report_folder.h"
#include "tests/support/shown_text.h"
#include "tests/support/test_layouts.h"

using namespace fw::report;
using fw::core::Binding;
using fw::core::Text;
using test_support::expectShown;
using test_support::ReadPage;
using test_support::readPageFile;
using test_support::ReadPixel;
using test_support::ReadText;
using test_support::ReportFolderTest;
using test_support::ShownText;

namespace {

std::vector<std::string> namesIn(const PageQueue& queue)
{
    std::vector<std::string> names;
    for (const PageEntry& e : queue)
        names.push_back(e.PRINTPREVIEWIMAGE.clipped());
    return names;
}

// The small report over three variables, as a report procedure binds its
// record buffer.
class SmallReport : public ReportFolderTest {
protected:
    void SetUp() override
    {
        ReportFolderTest::SetUp();
        auto created = Report::create(testlayouts::small, {Binding::of(name), Binding::of(number), Binding::of(date)});
        ASSERT_TRUE(created.has_value()) << created.error().text();
        report = std::move(*created);
        ASSERT_TRUE(report->open().has_value());
    }

    void print(const std::string& n, std::int32_t num, std::int32_t d = 0)
    {
        name = n;
        number = num;
        date = d;
        const auto printed = report->printDetail();
        ASSERT_TRUE(printed.has_value()) << printed.error().text();
    }

    ReadPage page(std::size_t n)
    {
        const PageEntry* e = report->pageQueue().fetch(n);
        if (!e) {
            ReadPage missing;
            missing.fault = "no page " + std::to_string(n);
            return missing;
        }
        return readPageFile(e->PRINTPREVIEWIMAGE.clipped());
    }

    Text<20> name;
    std::int32_t number = 0;
    std::int32_t date = 0;
    std::unique_ptr<Report> report;
};

struct BreakRow {
    const char* name;
    int records;
    std::vector<std::vector<std::string>> pages; // the detail texts of each page
};

void PrintTo(const BreakRow& row, std::ostream* os) { *os << row.name; }

class PageBreaks : public SmallReport, public testing::WithParamInterface<BreakRow> {};

TEST_P(PageBreaks, DetailBandsFillPagesAndEveryPageHasHeaderAndFooter)
{
    const BreakRow& row = GetParam();
    for (int i = 1; i <= row.records; ++i)
        print("Name " + std::to_string(i), i);
    ASSERT_TRUE(report->endPage().has_value());

    ASSERT_EQ(report->pageQueue().count(), row.pages.size());
    for (std::size_t p = 0; p < row.pages.size(); ++p) {
        SCOPED_TRACE("page " + std::to_string(p + 1));
        const ReadPage read = page(p + 1);
        ASSERT_EQ(read.fault, "");
        std::vector<std::string> expected{"Small Report", "Name", "Number"};
        expected.insert(expected.end(), row.pages[p].begin(), row.pages[p].end());
        expected.push_back("Page    " + std::to_string(p + 1));
        EXPECT_EQ(read.textStrings(), expected);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, PageBreaks,
    testing::Values(BreakRow{"NoRecordNoPage", 0, {}},
                    BreakRow{"OneRecord", 1, {{"Name 1", "00001"}}},
                    BreakRow{"AFullPage", 3, {{"Name 1", "00001", "Name 2", "00002", "Name 3", "00003"}}},
                    BreakRow{"OneOverAPage", 4,
                             {{"Name 1", "00001", "Name 2", "00002", "Name 3", "00003"}, {"Name 4", "00004"}}},
                    BreakRow{"ThreePages", 7,
                             {{"Name 1", "00001", "Name 2", "00002", "Name 3", "00003"},
                              {"Name 4", "00004", "Name 5", "00005", "Name 6", "00006"},
                              {"Name 7", "00007"}}}),
    [](const testing::TestParamInfo<BreakRow>& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(SmallReport, PlacesBandsAndKeepsEachControlsFontAndColor)
{
    print("Aldridge", 42, 82527);
    print("Blackwood", 7);
    ASSERT_TRUE(report->endPage().has_value());
    const ReadPage p = page(1);
    ASSERT_EQ(p.fault, "");

    const ShownText rows[] = {
        {"Small Report", 1000, 900, "Arial", -194, 700, false, 0x0000FF},
        {"Name", 1052, 1300, "Arial", -139, 400, false, 0},
        {"Aldridge", 1052, 1531, "Arial", -139, 400, false, 0},
        {"00042", 4052, 1531, "Arial", -139, 400, false, 0},
        {"10/12/26", 5052, 1531, "Times New Roman", -139, 400, true, 0x008000},
        {"Blackwood", 1052, 1931, "Arial", -139, 400, false, 0},
        {"Page    1", 6250, 9031, "Arial", -111, 400, false, 0},
    };
    for (const ShownText& e : rows)
        ASSERT_NO_FATAL_FAILURE(expectShown(p, e));
    EXPECT_EQ(p.findText("        "), nullptr) << "a zero date prints nothing";
    EXPECT_EQ(p.texts.size(), 9u);
}

TEST_F(SmallReport, ControlsWithAWidthAreClippedToItAndOthersAreNot)
{
    print("Aldridge", 42);
    ASSERT_TRUE(report->endPage().has_value());
    const ReadPage p = page(1);
    ASSERT_EQ(p.fault, "");

    const ReadText* name = p.findText("Aldridge");
    ASSERT_NE(name, nullptr);
    EXPECT_TRUE(name->clipped);
    EXPECT_EQ(name->clipLeft, 1052);
    EXPECT_EQ(name->clipTop, 1531);
    EXPECT_EQ(name->clipRight, 1052 + 2900);
    EXPECT_GT(name->clipBottom, 1531 + 139) << "a line of the font fits";

    const ReadText* number = p.findText("00042");
    ASSERT_NE(number, nullptr);
    EXPECT_FALSE(number->clipped);
}

TEST_F(SmallReport, LinesAndBoxesAreDrawnWhereTheLayoutPutsThem)
{
    print("A", 1);
    print("B", 2);
    ASSERT_TRUE(report->endPage().has_value());
    const ReadPage p = page(1);
    ASSERT_EQ(p.fault, "");

    ASSERT_EQ(p.boxes.size(), 1u);
    EXPECT_EQ(p.boxes[0].left, 1000);
    EXPECT_EQ(p.boxes[0].top, 1260);
    EXPECT_EQ(p.boxes[0].right, 7000);
    EXPECT_EQ(p.boxes[0].bottom, 1500);
    EXPECT_EQ(p.boxes[0].color, 0x808000u);
    EXPECT_TRUE(p.boxes[0].hollow);

    // clang-format off
    const std::vector<std::array<int, 4>> expected = {
        {4000, 1260, 4000, 1500},                            // header separator
        {4000, 1500, 4000, 1900}, {1052, 1900, 6948, 1900}, // first detail band
        {4000, 1900, 4000, 2300}, {1052, 2300, 6948, 2300}, // second
    };
    // clang-format on
    ASSERT_EQ(p.lines.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ((std::array<int, 4>{p.lines[i].x1, p.lines[i].y1, p.lines[i].x2, p.lines[i].y2}), expected[i]);
        EXPECT_EQ(p.lines[i].color, 0u) << "a line without a colour takes the report's";
    }
}

TEST_F(SmallReport, EveryPageIsAPlaceableMetafileOfThePage)
{
    for (int i = 1; i <= 4; ++i)
        print("Name", i);
    ASSERT_TRUE(report->endPage().has_value());
    for (std::size_t n = 1; n <= 2; ++n) {
        SCOPED_TRACE(n);
        const ReadPage p = page(n);
        ASSERT_EQ(p.fault, "");
        EXPECT_EQ(p.key, PlaceableKey);
        EXPECT_EQ(p.checksum, p.checksumComputed);
        EXPECT_EQ((std::array<int, 4>{p.boxLeft, p.boxTop, p.boxRight, p.boxBottom}),
                  (std::array<int, 4>{0, 0, 8268, 11693}));
        EXPECT_EQ(p.inch, 1000);
        EXPECT_EQ(p.windowWidth, 8268);
        EXPECT_EQ(p.windowHeight, 11693);
        EXPECT_EQ(p.bkMode, WmfWriter::Transparent);
        EXPECT_LE(p.objects, 4) << "one font, pen and brush, and one more while a font is replaced";
    }
}

TEST_F(SmallReport, PageFilesLieInTheReportsFolderUnderTmpdirUntilClose)
{
    print("A", 1);
    for (int i = 2; i <= 4; ++i)
        print("B", i);
    ASSERT_TRUE(report->endPage().has_value());
    const std::string folder = report->folder();
    EXPECT_EQ(std::filesystem::path(folder).parent_path(), std::filesystem::path(root()));
    const std::vector<std::string> names = namesIn(report->pageQueue());
    ASSERT_EQ(names.size(), 2u);
    for (const std::string& n : names) {
        EXPECT_EQ(std::filesystem::path(n).parent_path(), std::filesystem::path(folder));
        EXPECT_TRUE(std::filesystem::exists(n));
    }

    report->close();
    EXPECT_FALSE(report->isOpen());
    EXPECT_EQ(report->pageQueue().count(), 0u);
    for (const std::string& n : names)
        EXPECT_FALSE(std::filesystem::exists(n));
    EXPECT_FALSE(std::filesystem::exists(folder));
}

TEST_F(SmallReport, AClosedReportOpensAgainAtPageOne)
{
    print("A", 1);
    ASSERT_TRUE(report->endPage().has_value());
    report->close();
    ASSERT_TRUE(report->open().has_value());
    print("B", 2);
    ASSERT_TRUE(report->endPage().has_value());
    ASSERT_EQ(report->pageQueue().count(), 1u);
    EXPECT_NE(page(1).findText("Page    1"), nullptr);
    EXPECT_NE(page(1).findText("B"), nullptr);
}

TEST_F(SmallReport, DestroyingTheReportDeletesItsPages)
{
    print("A", 1);
    ASSERT_TRUE(report->endPage().has_value());
    const std::string folder = report->folder();
    ASSERT_TRUE(std::filesystem::exists(folder));
    report.reset();
    EXPECT_FALSE(std::filesystem::exists(folder));
}

TEST_F(SmallReport, ABoundPageQueueGetsTheNamesAndStaysWithItsOwner)
{
    PageQueue queue;
    report->setPageQueue(&queue);
    print("A", 1);
    ASSERT_TRUE(report->endPage().has_value());
    EXPECT_EQ(&report->pageQueue(), &queue);
    ASSERT_EQ(queue.count(), 1u);
    const std::string name = queue.fetch(1)->PRINTPREVIEWIMAGE.clipped();
    EXPECT_TRUE(std::filesystem::exists(name));

    report->close();
    EXPECT_EQ(queue.count(), 1u) << "the owner frees its queue";
    EXPECT_FALSE(std::filesystem::exists(name)) << "the page itself belongs to the report";
}

TEST_F(SmallReport, EndingAPageWhenNoneIsBeingPrintedWritesNothing)
{
    ASSERT_TRUE(report->endPage().has_value());
    ASSERT_TRUE(report->endPage().has_value());
    EXPECT_EQ(report->pageQueue().count(), 0u);
    EXPECT_TRUE(std::filesystem::is_empty(report->folder()));
}

TEST_F(SmallReport, APageThatCannotBeWrittenIsAnErrorAndNotQueued)
{
    print("A", 1);
    std::filesystem::remove_all(report->folder());
    const auto ended = report->endPage();
    ASSERT_FALSE(ended.has_value());
    EXPECT_EQ(ended.error().layer, "Report");
    EXPECT_NE(ended.error().message.find("cannot be created"), std::string::npos) << ended.error().message;
    EXPECT_EQ(report->pageQueue().count(), 0u);
}

TEST_F(ReportFolderTest, PrintingBeforeOpenIsAnError)
{
    Text<20> name;
    std::int32_t number = 0, date = 0;
    auto report = Report::create(testlayouts::small, {Binding::of(name), Binding::of(number), Binding::of(date)});
    ASSERT_TRUE(report.has_value());
    const auto printed = (*report)->printDetail();
    ASSERT_FALSE(printed.has_value());
    EXPECT_EQ(printed.error().text(), "Report: a band is printed before the report is opened");
}

TEST_F(ReportFolderTest, ABandTallerThanTheAreaStillPrintsOnePerPage)
{
    static constexpr Control tall[] = {{.kind = ControlKind::String, .x = 0, .y = 0, .text = "tall"}};
    static constexpr Band bands[] = {{.kind = BandKind::Detail, .width = 100, .height = 2000, .controls = tall}};
    static constexpr ReportLayout layout{.detailArea = {1000, 1000, 6000, 1500}, .bands = bands};
    auto report = Report::create(layout, {});
    ASSERT_TRUE(report.has_value());
    ASSERT_TRUE((*report)->open().has_value());
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE((*report)->printDetail().has_value());
    ASSERT_TRUE((*report)->endPage().has_value());
    EXPECT_EQ((*report)->pageQueue().count(), 3u);
}

// As in the classes report: the detail band sets its own font, the report
// sets the colour, and a control that sets only a size keeps the rest.
TEST_F(ReportFolderTest, ControlsInheritFromTheirBandAndTheBandFromTheReport)
{
    static constexpr Control header[] = {
        {.kind = ControlKind::String, .text = "Print Classes", .font = {.size = 24, .style = Bold | Italic}}};
    static constexpr Control detail[] = {
        {.kind = ControlKind::String, .x = 52, .text = "band font"},
        {.kind = ControlKind::String, .x = 2052, .text = "own size", .font = {.size = 12}},
        {.kind = ControlKind::String, .x = 4052, .text = "own colour", .font = {.color = 0x0000FF}},
    };
    static constexpr Band bands[] = {
        {.kind = BandKind::PageHeader, .x = 1000, .y = 1000, .controls = header},
        {.kind = BandKind::Detail, .height = 281, .font = {.name = "Times New Roman", .size = 14}, .controls = detail},
    };
    static constexpr ReportLayout layout{
        .font = {.name = "Arial", .size = 10, .style = Bold, .charSet = 0, .color = 0xFFFF00},
        .detailArea = {1000, 1542, 6000, 7458},
        .bands = bands,
    };
    auto report = Report::create(layout, {});
    ASSERT_TRUE(report.has_value());
    ASSERT_TRUE((*report)->open().has_value());
    ASSERT_TRUE((*report)->printDetail().has_value());
    ASSERT_TRUE((*report)->endPage().has_value());
    const ReadPage p = readPageFile((*report)->pageQueue().fetch(1)->PRINTPREVIEWIMAGE.clipped());
    ASSERT_EQ(p.fault, "");

    struct Row {
        const char* text;
        const char* face;
        int height, weight;
        bool italic;
        std::uint32_t color;
    };
    const Row rows[] = {
        {"Print Classes", "Arial", -333, 700, true, 0xFFFF00},
        {"band font", "Times New Roman", -194, 700, false, 0xFFFF00},
        {"own size", "Times New Roman", -167, 700, false, 0xFFFF00},
        {"own colour", "Times New Roman", -194, 700, false, 0x0000FF},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const ReadText* t = p.findText(row.text);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->font.face, row.face);
        EXPECT_EQ(t->font.height, row.height);
        EXPECT_EQ(t->font.weight, row.weight);
        EXPECT_EQ(t->font.italic, row.italic);
        EXPECT_EQ(t->color, row.color);
    }
}

// Every page marks its extent with a white pixel in its first and in its
// last point, written before anything is drawn, so that readers which size
// a picture by its drawing show the whole page.
struct ExtentRow {
    const char* name;
    Paper paper;
    Orientation orientation;
    int width;
    int height;
};

void PrintTo(const ExtentRow& row, std::ostream* os) { *os << row.name; }

class PageExtent : public ReportFolderTest, public testing::WithParamInterface<ExtentRow> {};

TEST_P(PageExtent, IsMarkedByWhitePixelsInOppositeCorners)
{
    const ExtentRow& row = GetParam();
    ReportLayout layout = testlayouts::small;
    layout.paper = row.paper;
    layout.orientation = row.orientation;
    Text<20> name;
    std::int32_t number = 0, date = 0;
    auto created = Report::create(layout, {Binding::of(name), Binding::of(number), Binding::of(date)});
    ASSERT_TRUE(created.has_value()) << created.error().text();
    Report& report = **created;
    ASSERT_TRUE(report.open().has_value());
    for (int i = 1; i <= 4; ++i) { // two pages
        name = "Name";
        number = i;
        ASSERT_TRUE(report.printDetail().has_value());
    }
    ASSERT_TRUE(report.endPage().has_value());
    ASSERT_EQ(report.pageQueue().count(), 2u);
    for (std::size_t n = 1; n <= 2; ++n) {
        SCOPED_TRACE(n);
        const ReadPage p = readPageFile(report.pageQueue().fetch(n)->PRINTPREVIEWIMAGE.clipped());
        ASSERT_EQ(p.fault, "");
        EXPECT_EQ((std::array<int, 2>{p.boxRight, p.boxBottom}), (std::array<int, 2>{row.width, row.height}));
        EXPECT_EQ(p.pixels, (std::vector<ReadPixel>{{0, 0, 0xFFFFFF}, {row.width - 1, row.height - 1, 0xFFFFFF}}));
        // The set-up of the window and the text mode, then the marks, then the page's drawing.
        ASSERT_GE(p.functions.size(), 6u);
        EXPECT_EQ(
            (std::vector<std::uint16_t>(p.functions.begin(), p.functions.begin() + 6)),
            (std::vector<std::uint16_t>{WmfFunction::SetWindowOrg, WmfFunction::SetWindowExt, WmfFunction::SetBkMode,
                                        WmfFunction::SetTextAlign, WmfFunction::SetPixel, WmfFunction::SetPixel}));
    }
}

INSTANTIATE_TEST_SUITE_P(Papers, PageExtent,
                         testing::Values(ExtentRow{"A4Portrait", PaperA4, Orientation::Portrait, 8268, 11693},
                                         ExtentRow{"A4Landscape", PaperA4, Orientation::Landscape, 11693, 8268},
                                         ExtentRow{"LetterPortrait", PaperLetter, Orientation::Portrait, 8500, 11000}),
                         [](const testing::TestParamInfo<ExtentRow>& info) { return std::string(info.param.name); });

TEST(ReportLayout, LandscapeTurnsThePaper)
{
    const ReportLayout layout{.paper = PaperA4, .orientation = Orientation::Landscape};
    EXPECT_EQ(layout.pageWidth(), 11693);
    EXPECT_EQ(layout.pageHeight(), 8268);
}

struct CreateRow {
    const char* name;
    const ReportLayout* layout;
    std::size_t fields;
    const char* error;
};

void PrintTo(const CreateRow& row, std::ostream* os) { *os << row.name; }

class CreateFails : public testing::TestWithParam<CreateRow> {};

inline constexpr Control fieldFour[] = {{.kind = ControlKind::Field, .field = 4, .picture = "s20"}};
inline constexpr Control fieldZero[] = {{.kind = ControlKind::Field, .field = 0, .picture = "s20"}};
inline constexpr Control badPicture[] = {{.kind = ControlKind::Field, .field = 1, .picture = "x20"}};
inline constexpr Control noPageNumberPicture[] = {{.kind = ControlKind::PageNumber}};
inline constexpr Band fieldFourBands[] = {{.kind = BandKind::Detail, .controls = fieldFour}};
inline constexpr Band fieldZeroBands[] = {{.kind = BandKind::Detail, .controls = fieldZero}};
inline constexpr Band badPictureBands[] = {{.kind = BandKind::Detail, .controls = badPicture}};
inline constexpr Band noPictureBands[] = {{.kind = BandKind::PageFooter, .controls = noPageNumberPicture}};
inline constexpr ReportLayout fieldFourLayout{.bands = fieldFourBands};
inline constexpr ReportLayout fieldZeroLayout{.bands = fieldZeroBands};
inline constexpr ReportLayout badPictureLayout{.bands = badPictureBands};
inline constexpr ReportLayout noPictureLayout{.bands = noPictureBands};

TEST_P(CreateFails, WithThisError)
{
    const CreateRow& row = GetParam();
    std::vector<Text<20>> values(row.fields);
    std::vector<Binding> fields;
    for (Text<20>& v : values)
        fields.push_back(Binding::of(v));
    const auto report = Report::create(*row.layout, fields);
    ASSERT_FALSE(report.has_value());
    EXPECT_EQ(report.error().text(), row.error);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CreateFails,
    testing::Values(
        CreateRow{"FieldBeyondTheBoundOnes", &fieldFourLayout, 3, "Report: a field control names field 4 of 3 bound"},
        CreateRow{"FieldZero", &fieldZeroLayout, 3, "Report: a field control names field 0 of 3 bound"},
        CreateRow{"FieldWithoutAnyBound", &fieldFourLayout, 0, "Report: a field control names field 4 of 0 bound"},
        CreateRow{"BadPicture", &badPictureLayout, 1, "Report: \"x20\" is not a picture"},
        CreateRow{"PageNumberWithoutPicture", &noPictureLayout, 0, "Report: \"\" is not a picture"}),
    [](const testing::TestParamInfo<CreateRow>& info) { return std::string(info.param.name); });

TEST_F(ReportFolderTest, ALayoutIsFoundByLabelAndModuleKeyInAnyCase)
{
    registerReportLayout("P1$REPORT", "reporttest$small", testlayouts::small);
    Text<20> name;
    std::int32_t number = 0, date = 0;
    auto report = Report::create("p1$report  ", "REPORTTEST$SMALL",
                                 {Binding::of(name), Binding::of(number), Binding::of(date)});
    ASSERT_TRUE(report.has_value()) << report.error().text();
    EXPECT_EQ(findReportLayout("P1$REPORT", "reporttest$small")->detailArea.height, 1500);

    const auto missing = Report::create("P1$REPORT", "reporttest$other", {});
    ASSERT_FALSE(missing.has_value());
    EXPECT_EQ(missing.error().text(), "Report: no report layout P1$REPORT is stored for reporttest$other");
    EXPECT_EQ(findReportLayout("P2$REPORT", "reporttest$small"), nullptr);
}

TEST(LayoutRegistry, RegisteringAgainReplacesTheLayout)
{
    registerReportLayout("P1$REPORT", "reporttest$replaced", testlayouts::small);
    const ReportLayout* first = findReportLayout("P1$REPORT", "reporttest$replaced");
    registerReportLayout("P1$REPORT", "reporttest$replaced", testlayouts::customers);
    const ReportLayout* second = findReportLayout("P1$REPORT", "reporttest$replaced");
    EXPECT_EQ(first, second) << "a pointer handed out stays valid";
    EXPECT_EQ(second->detailArea.height, 7281);
}

// The customers report of the demonstration: 15 bands of 458 fill its area
// of 7281, so the sixteenth customer starts page 2.
class CustomersReport : public ReportFolderTest {
protected:
    Text<20> NAME, SUBURB, PHONE;
    std::int32_t FIRSTDATE = 0, FIRSTTIME = 0;
    Text<100> EMAIL;
    Text<200> WEBSITE;

    std::unique_ptr<Report> make()
    {
        auto r = Report::create(testlayouts::customers,
                                {Binding::of(NAME), Binding::of(FIRSTDATE), Binding::of(FIRSTTIME), Binding::of(SUBURB),
                                 Binding::of(PHONE), Binding::of(EMAIL), Binding::of(WEBSITE)});
        EXPECT_TRUE(r.has_value());
        return r ? std::move(*r) : nullptr;
    }
};

TEST_F(CustomersReport, SixteenCustomersMakeTwoPagesWithTheirFields)
{
    auto report = make();
    ASSERT_TRUE(report && report->open().has_value());
    for (int i = 1; i <= 16; ++i) {
        NAME = "Customer " + std::to_string(i);
        FIRSTDATE = i == 1 ? fw::core::dateSerial(2026, 3, 9) : 0;
        FIRSTTIME = i == 1 ? fw::core::timeValue(14, 5) : 0;
        SUBURB = "Glebe";
        PHONE = "02 9555 0101";
        EMAIL = "c" + std::to_string(i) + "@example.com";
        WEBSITE = "www.example.com";
        ASSERT_TRUE(report->printDetail().has_value());
    }
    ASSERT_TRUE(report->endPage().has_value());
    ASSERT_EQ(report->pageQueue().count(), 2u);

    const ReadPage first = readPageFile(report->pageQueue().fetch(1)->PRINTPREVIEWIMAGE.clipped());
    const ReadPage second = readPageFile(report->pageQueue().fetch(2)->PRINTPREVIEWIMAGE.clipped());
    ASSERT_EQ(first.fault, "");
    ASSERT_EQ(second.fault, "");
    EXPECT_NE(first.findText("Customer 15"), nullptr);
    EXPECT_EQ(first.findText("Customer 16"), nullptr);
    EXPECT_NE(second.findText("Customer 16"), nullptr);
    EXPECT_NE(second.findText("Page    2"), nullptr);
    EXPECT_NE(second.findText("For Customer"), nullptr);

    const ReadText* date = first.findText("09/03/26");
    const ReadText* time = first.findText("14:05");
    ASSERT_NE(date, nullptr);
    ASSERT_NE(time, nullptr);
    EXPECT_EQ(date->x, 1000 + 2927);
    EXPECT_EQ(date->y, 1719 + 10);
    EXPECT_EQ(time->y, 1719 + 250);

    const ReadText* title = first.findText("For Customer");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->font.face, "Century Gothic");
    EXPECT_EQ(title->font.height, -361);
    EXPECT_EQ(title->font.weight, 700);
    EXPECT_EQ(title->font.charSet, 204);
    EXPECT_EQ(title->color, 0x808000u);
    EXPECT_EQ(title->y, 1000 - 198);

    const ReadText* sixteenth = second.findText("Customer 16");
    EXPECT_EQ(sixteenth->y, 1719 + 31) << "the first band of a page starts at the top of the area";
    EXPECT_EQ(sixteenth->font.height, -167);
}

} // namespace
