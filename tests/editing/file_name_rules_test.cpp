#include <gtest/gtest.h>

#include "editing/file_name_rules.h"

TEST(FileNameRules, ChartFilesAreKnownByTheirExtensionInAnyCase)
{
    for (const char* name : { "a.bms", "C:\\x\\b.BME", "c.Bml", "d.pms", "e.f.bms" })
        EXPECT_TRUE(isChartFileName(name)) << name;
    for (const char* name : { "a.wav", "bms", "dir.bms\\a", "a.bms.wav", "a.bmson" })
        EXPECT_FALSE(isChartFileName(name)) << name;
}
