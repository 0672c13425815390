// The builder called through its binding: sixteen texts, the numbers among
// them read from their text in the builder's own order.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cmdmailer/program/builder_binding.h"
#include "engine/global_data.h"
#include "framework/fs/path.h"
#include "tests/vextrel/vextrel_folder.h"

namespace {

namespace fs = std::filesystem;
using vextrel::BuilderBinding;

// The example's arguments; a row changes one of them, counting from 1.
std::vector<std::string> exampleArguments()
{
    return {"kr12.html", "3",   "16777215", "100",  "Report", "",  "Arial", "3",
            "0",         "197", "197",      "8270", "11530",  "2", "0",     "A4"};
}

struct BindingCase {
    const char* name;
    std::size_t argument; // 0: the example as it stands
    std::string value;
    std::int32_t result;
    std::string bodyTag; // line 5 of the HTML body file; "" when none may be written
    bool documents;      // 12.RTF and Report.RTF written
};

void PrintTo(const BindingCase& c, std::ostream* out) { *out << c.name; }

class BuilderBindingTest : public VextrelFolderTest, public ::testing::WithParamInterface<BindingCase> {
protected:
    void SetUp() override
    {
        VextrelFolderTest::SetUp();
        engine::setProfile(engine::VextrelProfile);
        engine::BMKG.WorkFolder = fw::fs::currentDirectory() + "\\KR\\";
        engine::BMKG.JobNumber = 12;
        writePages(12, 3, "KR");
    }
    void TearDown() override
    {
        engine::BMKG.WorkFolder.clear();
        engine::BMKG.JobNumber = 0;
        engine::setProfile(engine::ZorvaneProfile);
        VextrelFolderTest::TearDown();
    }
};

TEST_P(BuilderBindingTest, HandsTheArgumentsToTheBuilder)
{
    const BindingCase& c = GetParam();
    std::vector<std::string> arguments = exampleArguments();
    if (c.argument != 0)
        arguments[c.argument - 1] = c.value;

    EXPECT_EQ(BuilderBinding(arguments), c.result);

    if (c.bodyTag.empty()) {
        EXPECT_FALSE(fs::exists(at("kr12.html")));
    } else {
        const std::string html = contents(at("kr12.html"));
        EXPECT_NE(html.find("\r\n\r\n" + c.bodyTag + "\r\n\r\n</DIV></BODY></HTML>\r\n"), std::string::npos) << html;
    }
    EXPECT_EQ(fs::exists(at("KR/12.RTF")), c.documents);
    EXPECT_EQ(fs::exists(at("KR/Report.RTF")), c.documents);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Arguments, BuilderBindingTest,
    ::testing::Values(
        BindingCase{"Example", 0, "", 0, "<BODY bgColor=#FFFFFF><DIV>", true},
        BindingCase{"PageCountKeepsItsLowEightBits", 2, "259", 0, "<BODY bgColor=#FFFFFF><DIV>", true},
        BindingCase{"PageCountOf256IsNoPage", 2, "256", 0, "<BODY bgColor=#FFFFFF><DIV>", false},
        BindingCase{"BackgroundIsRedFirst", 3, "255", 0, "<BODY bgColor=#FF0000><DIV>", true},
        BindingCase{"BackgroundWithBlanksAndADecimalPart", 3, "  255.9  ", 0, "<BODY bgColor=#FF0000><DIV>", true},
        BindingCase{"NegativeBackgroundIsWhite", 3, "-5", 0, "<BODY bgColor=#FFFFFF><DIV>", true},
        BindingCase{"BackgroundThatIsNoNumberIsWhite", 3, "blue", 0, "<BODY bgColor=#FFFFFF><DIV>", true},
        BindingCase{"OnlyTheFirstHundredCharactersAreRead", 3, std::string(100, ' ') + "255", 0,
                    "<BODY bgColor=#FFFFFF><DIV>", true},
        BindingCase{"ModeKeepsItsLowEightBits", 14, "258", 0, "<BODY bgColor=#FFFFFF><DIV>", true},
        BindingCase{"ModeOf256IsModeZero", 14, "256", 0, "<BODY bgColor=#FFFFFF><DIV>", false},
        BindingCase{"ModeFourBuilds", 14, "4", 0, "<BODY bgColor=#FFFFFF><DIV>", true},
        BindingCase{"ModeFiveWritesTheBodyOnly", 14, "5", 0, "<BODY bgColor=#FFFFFF><DIV>", false},
        BindingCase{"BlankDocumentName", 5, "   ", 0, "<BODY bgColor=#FFFFFF><DIV>", false},
        BindingCase{"BodyFileInAMissingFolder", 1, "missing\\kr12.html", 2, "", false}),
    [](const ::testing::TestParamInfo<BindingCase>& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(BuilderBindingTest, ACallWithAnotherNumberOfArgumentsBuildsNothing)
{
    std::vector<std::string> arguments = exampleArguments();
    arguments.pop_back();
    EXPECT_EQ(BuilderBinding(arguments), 2);
    arguments = exampleArguments();
    arguments.push_back("extra");
    EXPECT_EQ(BuilderBinding(arguments), 2);
    EXPECT_FALSE(fs::exists(at("kr12.html")));
    EXPECT_FALSE(fs::exists(at("KR/12.RTF")));
}

} // namespace
