#include <cstdio>
#include <gtest/gtest.h>
#include <new>
#include <string>

#include "bms/storage_budget.h"
#include "reader_test_support.h"
#include "support/test_support.h"

namespace {

using namespace reader_test;

constexpr int kMeasure = BmsBar::kStandardTicks;
constexpr std::size_t kLine = StorageBudget::kLineBytes;
constexpr std::size_t kObject = StorageBudget::kObjectBytes;

TEST(ReaderLimits, ReadsFieldsOfAnyLength)
{
    const std::string title(10000, 't');
    const std::string key = "K" + std::string(5000, '9');
    const std::string wav(5000, 'w');
    // 3000 leading zeros before the 0.5.
    const std::string length = std::string(3000, '0') + ".5";
    const auto document
        = readChart("#TITLE " + title + "\n#" + key + " v\n#WAV01 " + wav + "\n#00102:" + length + "\n");
    EXPECT_EQ(document->headerTable()->get("TITLE"), title);
    EXPECT_STREQ(document->headerTable()->get(key.c_str()), "v");
    EXPECT_EQ(document->wavTable()->get(BmsWord("01")), wav);
    EXPECT_EQ(document->measureLength(1).ticks(), 192);
}

TEST(ReaderLimits, ReadsADataLineLongerThanTwoThousandCharacters)
{
    // A measure of length 4.0 with an object on every odd tick: 1536 pairs.
    std::string objects;
    for (int tick = 0; tick < 4 * kMeasure; ++tick)
        objects += tick % 2 ? "0Z" : "00";
    const auto document = readChart("#00002:4\n#00011:" + objects + "\n#00001:" + objects + "\n");
    EXPECT_EQ(objectAt(*document, "11", 1), "0Z");
    EXPECT_EQ(objectAt(*document, "11", 4 * kMeasure - 1), "0Z");
    EXPECT_EQ(objectAt(*document, "11", 4 * kMeasure - 2), "00");
    EXPECT_EQ(objectAt(*document, "01", 4 * kMeasure - 1), "0Z");
}

TEST(ReaderLimits, RefusesAMeasureLongerThanAMillionTicks)
{
    EXPECT_EQ(readFailure("#00002:2604.17\n"), (ReadFailure { kResultBadMeasureLengthValue, 1 }));
    EXPECT_EQ(
        readFailure("\n#99902:" + std::string(400, '9') + "\n"), (ReadFailure { kResultBadMeasureLengthValue, 2 }));

    const auto document = readChart("#00002:2604.16\n#00102:0." + std::string(400, '0') + "1\n");
    EXPECT_EQ(document->measureLength(0).ticks(), 999997); // 999,997.44 ticks
    EXPECT_EQ(document->measureLength(1).ticks(), 0);
}

TEST(ReaderLimits, LongestChartKeepsItsTickArithmeticInRange)
{
    // 1000 measures of 999,936 ticks; the object at the end costs what any object does.
    std::string chart;
    for (int m = 0; m < BmsBms::kMeasureCount; ++m) {
        char line[16];
        std::snprintf(line, sizeof line, "#%03d02:2604\n", m);
        chart += line;
    }
    const auto document = readChart(chart + "#00011:01\n#00111:01\n#99901:0001\n");
    EXPECT_EQ(document->measureStart(BmsBms::kMeasureCount), 999936000);
    EXPECT_EQ(objectAt(*document, "11", 999936), "01");
    EXPECT_EQ(objectAt(*document, "01", 999 * 999936 + 499968), "01");
    EXPECT_EQ(document->lastObjectPosition(), 999 * 999936 + 499968);
}

TEST(ReaderLimits, StorageBudgetCountsEveryNewLine)
{
    const std::string threeLines = "#00011:01\n#00012:01\n#00001:01\n";
    const std::size_t threeLinesBytes = 3 * kLine + 3 * kObject;
    EXPECT_EQ(readFailure(threeLines, threeLinesBytes), (ReadFailure { kResultOk, 4 }));
    EXPECT_EQ(readFailure(threeLines + "#00001:00\n", threeLinesBytes), (ReadFailure { kResultChartTooLarge, 4 }));
    EXPECT_EQ(readFailure(threeLines + "#00013:00\n", threeLinesBytes), (ReadFailure { kResultChartTooLarge, 4 }));
}

TEST(ReaderLimits, StorageBudgetCountsStoredObjectsWhereverTheyStand)
{
    EXPECT_EQ(readFailure("#00011:01\n#99911:01\n", kLine + 2 * kObject).code, kResultOk);
    EXPECT_EQ(
        readFailure("#00011:01\n#99911:01\n", kLine + 2 * kObject - 1), (ReadFailure { kResultChartTooLarge, 2 }));
    EXPECT_EQ(
        readFailure("#00001:01\n\n#99901:0001\n", kLine + 2 * kObject - 1), (ReadFailure { kResultChartTooLarge, 3 }));
    // Empty objects and dropped lines take nothing.
    EXPECT_EQ(readFailure("#00011:01\n#01111:00\n#00502:0\n#00512:01\n", kLine + kObject).code, kResultOk);
    // A line written before an earlier measure's takes what it stores.
    EXPECT_EQ(readFailure("#00111:0101\n#00011:01\n", kLine + 3 * kObject).code, kResultOk);
    EXPECT_EQ(
        readFailure("#00111:0101\n#00011:01\n", kLine + 3 * kObject - 1), (ReadFailure { kResultChartTooLarge, 2 }));
}

TEST(ReaderLimits, EmptyLaneObjectsBeyondALaneTakeNoStorage)
{
    // A saved chart writes every lane in every measure; read again, its empty lane
    // lines must not ask for more storage than the chart it was saved from.
    EXPECT_EQ(readFailure("#00001:01\n#00001:02\n#99901:00\n#99901:0000\n", 2 * kLine + 2 * kObject).code, kResultOk);
    EXPECT_EQ(readFailure("#00001:01\n#99901:0001\n", kLine + kObject), (ReadFailure { kResultChartTooLarge, 2 }));
}

TEST(ReaderLimits, RunningOutOfMemoryFailsTheReadCleanly)
{
    BmsReader reader;
    reader.setNoticeSink([](const char*) { throw std::bad_alloc(); });
    auto document = std::make_unique<BmsBms>();
    const BmsBms* current = document.get();
    EXPECT_FALSE(reader.readBytes("#00011:01\n#00001:01\n#WAV01 a\n#WAV01 b\n", document));
    EXPECT_EQ(lastParseResult().code, kResultChartTooLarge);
    EXPECT_EQ(errorLine(), 4);
    EXPECT_EQ(document.get(), current);
}

TEST(ReaderLimits, MeasureLengthsIgnoreTheDecimalCommaOfTheLocale)
{
    DecimalCommaLocale locale;
    if (!locale.active())
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    const auto document = readChart("#00102:0.75\n");
    EXPECT_EQ(document->measureLength(1).ticks(), 288);
}

} // namespace
