#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "model/bms_bms.h"

namespace {

std::string dataTextOf(const BmsBms& chart, int m, const char* channel)
{
    std::string out(2 * chart.measureLength(m).ticks() + 1, '\xff');
    int length = chart.dataText(m, BmsWord(channel), out.data());
    if (length < 0)
        return "<no line>";
    EXPECT_EQ(out[length], '\0');
    out.resize(length);
    return out;
}

std::vector<std::string> channelOrder(const BmsBms& chart)
{
    std::vector<std::string> order;
    for (const BmsChannel* line = chart.firstLine(); line; line = line->next()) {
        char buffer[3];
        order.push_back(line->channel().toText(buffer));
    }
    return order;
}

} // namespace

TEST(BmsBmsTest, NewDocumentHasStandardMeasuresAndNothingElse)
{
    BmsBms chart;
    EXPECT_EQ(chart.measureStart(0), 0);
    EXPECT_EQ(chart.measureStart(1), 384);
    EXPECT_EQ(chart.measureStart(1000), 1000 * 384);
    EXPECT_EQ(chart.lastObjectPosition(), 0);
    EXPECT_EQ(chart.lastMeasure(), 0);
    EXPECT_STREQ(chart.wavTable()->name(), "WAV");
    EXPECT_STREQ(chart.bmpTable()->name(), "BMP");
    EXPECT_EQ(chart.headerTable()->count(), 0);
    EXPECT_EQ(chart.lineCount(), 0);
}

TEST(BmsBmsTest, MeasureLengthsAreBoundedAndOutsideMeasuresReadZero)
{
    BmsBms chart;
    EXPECT_EQ(chart.setMeasureLength(0, BmsBar(288)).ticks(), 384);
    EXPECT_EQ(chart.measureStart(2), 288 + 384);
    chart.setMeasureLength(1, BmsBar(-5));
    EXPECT_EQ(chart.measureLength(1).ticks(), 0);
    for (int m = 0; m < BmsBms::kMeasureCount; ++m)
        chart.setMeasureLength(m, BmsBar(INT_MAX));
    EXPECT_EQ(chart.measureStart(1000), 1000 * BmsBms::kMaxMeasureTicks);
    EXPECT_EQ(chart.measureLength(-1).ticks(), 0);
    EXPECT_EQ(chart.measureLength(1000).ticks(), 0);
    EXPECT_EQ(chart.setMeasureLength(1000, BmsBar(384)).ticks(), 0);
}

TEST(BmsBmsTest, InsertLineKeepsChannelOrderAndHandsBackTheDisplacedLine)
{
    BmsBms chart;
    for (const char* channel : { "11", "01", "1A", "02" })
        EXPECT_EQ(chart.insertLine(std::make_unique<BmsChannel>(BmsWord(channel))), nullptr);
    EXPECT_EQ(channelOrder(chart), (std::vector<std::string> { "01", "02", "11", "1A" }));
    EXPECT_EQ(chart.lineCount(), 4);

    BmsChannel* first11 = chart.findLine(BmsWord("11"));
    auto second11 = std::make_unique<BmsChannel>(BmsWord("11"));
    BmsChannel* replacement = second11.get();
    auto displaced = chart.insertLine(std::move(second11));
    EXPECT_EQ(displaced.get(), first11);
    EXPECT_EQ(displaced->next(), nullptr);
    EXPECT_EQ(chart.findLine(BmsWord("11")), replacement);
    EXPECT_EQ(channelOrder(chart), (std::vector<std::string> { "01", "02", "11", "1A" }));
    EXPECT_EQ(chart.lineCount(), 4);
    EXPECT_EQ(chart.insertLine(nullptr), nullptr);
    EXPECT_EQ(chart.clearLines(), 4);
    EXPECT_EQ(chart.firstLine(), nullptr);
}

TEST(BmsBmsTest, PlaceObjectsMergesLinesOfTheSameMeasure)
{
    BmsBms chart;
    EXPECT_EQ(chart.placeObjects(0, BmsWord("11"), "0102"), 4);
    EXPECT_EQ(chart.placeObjects(0, BmsWord("11"), "000003"), 6);
    const BmsChannel* line = chart.findLine(BmsWord("11"));
    ASSERT_NE(line, nullptr);
    EXPECT_TRUE(line->objectAt(0).equalsText("01"));
    EXPECT_TRUE(line->objectAt(192).equalsText("02"));
    EXPECT_TRUE(line->objectAt(256).equalsText("03"));
    EXPECT_EQ(chart.placeObjects(1, BmsWord("11"), "zz"), 2);
    EXPECT_TRUE(line->objectAt(384).equalsText("ZZ"));
}

TEST(BmsBmsTest, PlaceObjectsDropsUnusableText)
{
    BmsBms chart;
    EXPECT_EQ(chart.placeObjects(0, BmsWord("11"), std::string(2 * 385, '1')), 0);
    EXPECT_EQ(chart.placeObjects(0, BmsWord("11"), "010"), 0);
    EXPECT_EQ(chart.placeObjects(0, BmsWord("11"), ""), 0);
    chart.setMeasureLength(1, BmsBar(0));
    EXPECT_EQ(chart.placeObjects(1, BmsWord("11"), "01"), 0);
    EXPECT_EQ(chart.placeObjects(1000, BmsWord("11"), "01"), 0);
    EXPECT_EQ(chart.lineCount(), 0);
}

TEST(BmsBmsTest, PlaceObjectsStepsByRepeatedAddition)
{
    BmsBms chart;
    chart.setMeasureLength(0, BmsBar(100));
    // Three objects over 100 ticks: 0, 33.33.., 66.66.. truncate to 0, 33, 66.
    EXPECT_EQ(chart.placeObjects(0, BmsWord("11"), "010203"), 6);
    const BmsChannel* line = chart.findLine(BmsWord("11"));
    EXPECT_TRUE(line->objectAt(33).equalsText("02"));
    EXPECT_TRUE(line->objectAt(66).equalsText("03"));
    EXPECT_TRUE(line->objectAt(100).isEmptyObject());
}

TEST(BmsBmsTest, DataTextWritesTheCoarsestGrid)
{
    BmsBms chart;
    chart.placeObjects(0, BmsWord("11"), "0102");
    EXPECT_EQ(dataTextOf(chart, 0, "11"), "0102");
    EXPECT_EQ(dataTextOf(chart, 1, "11"), "00");
    EXPECT_EQ(dataTextOf(chart, 0, "12"), "<no line>");

    chart.setMeasureLength(0, BmsBar(288));
    EXPECT_EQ(dataTextOf(chart, 0, "11"), "010002"); // objects at 0 and 192: a grid of 96

    chart.setMeasureLength(2, BmsBar(0));
    EXPECT_EQ(dataTextOf(chart, 2, "11"), "");
}

TEST(BmsBmsTest, DataTextOfAFineGridAndBeyondTheLine)
{
    BmsBms chart;
    chart.placeObjects(0, BmsWord("11"), "01");
    chart.findLine(BmsWord("11"))->setObject(383, BmsWord("02"));
    std::string text = dataTextOf(chart, 0, "11");
    EXPECT_EQ(text.size(), 768u);
    EXPECT_EQ(text.substr(0, 4), "0100");
    EXPECT_EQ(text.substr(764), "0002");
    // Measure 20 lies beyond the line's 3840 positions: it reads as empty.
    EXPECT_EQ(dataTextOf(chart, 20, "11"), "00");
}

TEST(BmsBmsTest, MeasureDataTextStraddlingTheCapacity)
{
    BmsChannel lane(BmsWord("01"));
    lane.setObject(3839, BmsWord("0A"));
    char out[2 * 4 + 1];
    EXPECT_EQ(measureDataText(lane, 3838, 4, out), 8);
    EXPECT_STREQ(out, "000A0000");
}

// A measure whose ticks run over several blocks of the line's storage, and one that
// starts where a block does, write their objects on one grid.
TEST(BmsBmsTest, MeasureDataTextOverBlocksOfTicks)
{
    constexpr int kBlock = TickBlock::kTicks;
    BmsChannel lane(BmsWord("01"));
    for (const int tick : { kBlock - 2, kBlock + 4, 3 * kBlock, 3 * kBlock + 2 })
        lane.setObject(tick, BmsWord("0A"));
    std::string out(2 * 3 * kBlock + 1, '\xff');
    ASSERT_EQ(measureDataText(lane, kBlock - 2, 2 * kBlock + 6, out.data()), 2 * (kBlock + 3));
    const std::string text(out.c_str());
    EXPECT_EQ(text.substr(0, 2), "0A");
    EXPECT_EQ(text.substr(2 * 3, 2), "0A");
    EXPECT_EQ(text.substr(2 * (kBlock + 1), 4), "0A0A");
    EXPECT_EQ(std::count(text.begin(), text.end(), 'A'), 4);
    ASSERT_EQ(measureDataText(lane, 3 * kBlock, 4, out.data()), 4);
    EXPECT_STREQ(out.c_str(), "0A0A");
}

TEST(BmsBmsTest, LastObjectPositionIncludesLanes)
{
    BmsBms chart;
    chart.placeObjects(2, BmsWord("11"), "01");
    auto line = std::make_unique<BmsChannel>(BmsWord("01"));
    auto lane = std::make_unique<BmsChannel>(BmsWord("01"));
    lane->setObject(5000, BmsWord("05"));
    line->setChild(lane);
    chart.insertLine(std::move(line));
    EXPECT_EQ(chart.lastObjectPosition(), 5000);
    EXPECT_EQ(chart.lastMeasure(), 13);
}

TEST(BmsBmsTest, LastMeasureNeverPassesTheLastMeasure)
{
    BmsBms chart;
    chart.placeObjects(5, BmsWord("11"), "01");
    for (int m = 6; m < BmsBms::kMeasureCount; ++m)
        chart.setMeasureLength(m, BmsBar(0));
    EXPECT_EQ(chart.lastMeasure(), 5);
    // An object past the end of the last measure lies in no measure at all.
    chart.findLine(BmsWord("11"))->setObject(5000, BmsWord("01"));
    EXPECT_EQ(chart.lastMeasure(), 999);

    BmsBms empty;
    for (int m = 0; m < BmsBms::kMeasureCount; ++m)
        empty.setMeasureLength(m, BmsBar(0));
    EXPECT_EQ(empty.lastMeasure(), 999);
}

TEST(BmsBmsTest, DestroyingTheDocumentDestroysEveryLane)
{
    auto chart = std::make_unique<BmsBms>();
    auto line = std::make_unique<BmsChannel>(BmsWord("01"));
    BmsChannel* bottom = line.get();
    for (int i = 0; i < 3; ++i) {
        auto lane = std::make_unique<BmsChannel>(BmsWord("01"));
        BmsChannel* next = lane.get();
        bottom->setChild(lane);
        bottom = next;
    }
    chart->insertLine(std::move(line));
    chart.reset(); // the sanitizer build reports any lane left behind
    SUCCEED();
}
