#include "engine/global_data.h"

#include <gtest/gtest.h>

#include "framework/core/thread_values.h"

using namespace engine;

// One test: the globals are the process's, so their load values can only be
// seen before anything else in this program changes them.
TEST(GlobalData, LoadValuesAndTheInitialisersSteps)
{
    EXPECT_EQ(BMKG.Mode, 0);
    EXPECT_TRUE(BMKG.RTFpath.isBlank());
    EXPECT_TRUE(BMKG.WorkFolder.isBlank());
    EXPECT_EQ(BMKG.JobNumber, 0);
    EXPECT_EQ(BMKG.PageWidth, 8000);
    EXPECT_EQ(BMKG.PageHeight, 12440);
    EXPECT_EQ(BMKG.LeftMargin, 197);
    EXPECT_EQ(BMKG.TopMargin, 197);
    EXPECT_EQ(BMKG.RTFName.view(), "Report" + std::string(44, ' '));
    EXPECT_EQ(OAQ.count(), 0u);
    EXPECT_EQ(OBQ.count(), 0u);
    EXPECT_EQ(profile().defaultBackground, 0x00FF00);

    BMKG.RTFpath = "C:\\Out";
    BMKG.WorkFolder = "C:\\KR\\";
    BMKG.PageWidth = 8270;
    ORAF.name = "a";
    OROF.name = "b";
    ORIF.name = "c";
    OROF.LINE = "x";
    OBQ.append(OBQRecord{"line"});
    OAQ.append(OAQRecord{"C:\\file.pdf"});
    fw::core::threadValues().response = 3;

    initialiseGlobalData(fw::core::ModuleStep::Start);
    EXPECT_TRUE(BMKG.RTFpath.isBlank());
    EXPECT_TRUE(BMKG.WorkFolder.isBlank());
    EXPECT_TRUE(ORAF.name.isBlank() && OROF.name.isBlank() && ORIF.name.isBlank());
    EXPECT_TRUE(OROF.LINE.isBlank());
    EXPECT_EQ(BMKG.PageWidth, 8270); // the geometry keeps its value
    EXPECT_EQ(fw::core::threadValues().response, 0);
    EXPECT_EQ(OBQ.count(), 1u);

    initialiseGlobalData(fw::core::ModuleStep::End);
    EXPECT_EQ(OBQ.count(), 0u);
    EXPECT_EQ(OAQ.count(), 0u);

    setProfile(VextrelProfile);
    EXPECT_EQ(profile().defaultBackground, 0xFFFFFF);
    EXPECT_STREQ(profile().program, "vextrel");
    setProfile(ZorvaneProfile);
}

// What each mode byte makes of a run: whether the builder makes the RTF
// document, whether the mail goes to SendEmail and whether it carries the
// document. Bytes above SilentSave are no mode of their own and mail as
// EmailPreview does.
struct ModeRule {
    const char* name;
    std::uint8_t mode;
    bool buildsDocument;
    bool handsToSendEmail;
    bool attachesDocument;
};

class MailModeRules : public ::testing::TestWithParam<ModeRule> {};

TEST_P(MailModeRules, PredicatesOfTheModeByte)
{
    const ModeRule& row = GetParam();
    EXPECT_EQ(buildsRTFDocument(row.mode), row.buildsDocument);
    EXPECT_EQ(handsMailToSendEmail(row.mode), row.handsToSendEmail);
    EXPECT_EQ(attachesRTFDocument(row.mode), row.attachesDocument);
}

INSTANTIATE_TEST_SUITE_P(Modes, MailModeRules,
                         ::testing::Values(ModeRule{"Print", 0, false, false, false},
                                           ModeRule{"EmailPreview", 1, true, true, true},
                                           ModeRule{"SilentEmail", 2, true, true, true},
                                           ModeRule{"Save", 3, true, false, false},
                                           ModeRule{"SilentSave", 4, true, false, false},
                                           ModeRule{"FiveMailsWithoutTheDocument", 5, false, true, false},
                                           ModeRule{"HighestByteMailsWithoutTheDocument", 255, false, true, false}),
                         [](const auto& info) { return std::string(info.param.name); });
