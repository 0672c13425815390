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

    initialiseGlobalData(0);
    EXPECT_TRUE(BMKG.RTFpath.isBlank());
    EXPECT_TRUE(BMKG.WorkFolder.isBlank());
    EXPECT_TRUE(ORAF.name.isBlank() && OROF.name.isBlank() && ORIF.name.isBlank());
    EXPECT_TRUE(OROF.LINE.isBlank());
    EXPECT_EQ(BMKG.PageWidth, 8270); // the geometry keeps its value
    EXPECT_EQ(fw::core::threadValues().response, 0);
    EXPECT_EQ(OBQ.count(), 1u);

    initialiseGlobalData(1);
    EXPECT_EQ(OBQ.count(), 0u);
    EXPECT_EQ(OAQ.count(), 0u);

    setProfile(VextrelProfile);
    EXPECT_EQ(profile().defaultBackground, 0xFFFFFF);
    EXPECT_STREQ(profile().program, "vextrel");
    setProfile(ZorvaneProfile);
}
