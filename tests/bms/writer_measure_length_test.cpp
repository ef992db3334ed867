#include <gtest/gtest.h>
#include <string>

#include "bms/bms_reader.h"
#include "bms/bms_writer.h"

namespace {

TEST(WriterMeasureLength, WritesTheRatioRoundedUpToTheNextMillionth)
{
    EXPECT_EQ(measureLengthText(0), "0.000000");
    EXPECT_EQ(measureLengthText(1), "0.002605");
    EXPECT_EQ(measureLengthText(38), "0.098959");
    EXPECT_EQ(measureLengthText(47), "0.122396");
    EXPECT_EQ(measureLengthText(288), "0.750000");
    EXPECT_EQ(measureLengthText(384), "1.000000");
    EXPECT_EQ(measureLengthText(BmsBms::kMaxMeasureTicks), "2604.166667");
}

// Every length up to 100,000 ticks, a chart of 1000 measures at a time.
TEST(WriterMeasureLength, EveryTickCountSurvivesWritingAndReading)
{
    constexpr int kLastTicks = 100'000;
    BmsReader reader;
    for (int first = 0; first <= kLastTicks; first += BmsBms::kMeasureCount) {
        BmsBms document;
        for (int measure = 0; measure < BmsBms::kMeasureCount; ++measure)
            document.setMeasureLength(measure, BmsBar(first + measure));
        std::unique_ptr<BmsBms> reread;
        ASSERT_TRUE(reader.readBytes(chartText(document), reread));
        for (int measure = 0; measure < BmsBms::kMeasureCount; ++measure)
            ASSERT_EQ(reread->measureLength(measure).ticks(), first + measure);
    }
}

} // namespace
