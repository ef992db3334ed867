#include <gtest/gtest.h>

#include "editing/chart_objects.h"
#include "editing/list_exchanger.h"
#include "model/definition_kind.h"

namespace {
BmsWord id(const char* text)
{
    return BmsWord(text);
}

class ListExchangerTest : public testing::Test {
protected:
    BmsBms document;
    BmsRegistArray& wav = *document.wavTable();
    BmsRegistArray& bmp = *document.bmpTable();
    ListExchanger plan;
};
} // namespace

TEST_F(ListExchangerTest, AddingAnIndexAgainReplacesItsTargetAndAdding00IsIgnored)
{
    plan.reset(&document, kKindWav);
    plan.add(id("05"), id("06"));
    plan.add(id("00"), id("07"));
    plan.add(id("03"), id("04"));
    plan.add(id("05"), id("09"));
    ASSERT_EQ(plan.size(), 2);
    EXPECT_EQ(plan.oldValueAt(0), 5);
    EXPECT_EQ(plan.oldValueAt(1), 3);
    EXPECT_EQ(plan.targetOf(5), id("09"));

    plan.reset(&document, kKindWav);
    EXPECT_EQ(plan.size(), 0);
    plan.add(id("05"), id("01"));
    EXPECT_EQ(plan.size(), 1);
}

TEST_F(ListExchangerTest, BmpPlanRenumbersOnlyTheImageChannelsAndTable)
{
    bmp.set(id("01"), "x.bmp");
    wav.set(id("01"), "a.wav");
    for (const char* channel : { "04", "06", "07", "0A", "A5", "01", "11", "03", "08" })
        placeObject(document, channel, 10, "01");

    plan.reset(&document, kKindBmp);
    plan.add(id("01"), id("02"));
    plan.apply();

    EXPECT_EQ(plan.size(), 1) << "the plan keeps its contents";
    EXPECT_FALSE(bmp.has(id("01")));
    EXPECT_STREQ(bmp.get(id("02")), "x.bmp");
    EXPECT_STREQ(wav.get(id("01")), "a.wav");
    for (const char* channel : { "04", "06", "07", "0A", "A5" })
        EXPECT_EQ(objectAt(document, channel, 10), "02") << channel;
    for (const char* channel : { "01", "11", "03", "08" })
        EXPECT_EQ(objectAt(document, channel, 10), "01") << channel;
}

TEST_F(ListExchangerTest, RenumbersEveryLaneOfChannel01UpToTheLastObjectOfTheChart)
{
    addWavLane(document, 0, "01");
    addWavLane(document, 384, "01");
    addWavLane(document, 20000, "01");
    placeObject(document, "16", 50000, "01");
    placeObject(document, "03", 40000, "FF");

    plan.reset(&document, kKindWav);
    plan.add(id("01"), id("ZZ"));
    plan.apply();

    EXPECT_EQ(objectAt(document, "01", 0, 0), "ZZ");
    EXPECT_EQ(objectAt(document, "01", 384, 1), "ZZ");
    EXPECT_EQ(objectAt(document, "01", 20000, 2), "ZZ");
    EXPECT_EQ(objectAt(document, "16", 50000), "ZZ");
    EXPECT_EQ(objectAt(document, "03", 40000), "FF");
}

TEST_F(ListExchangerTest, ApplyWithoutDocumentOrMovesChangesNothing)
{
    ListExchanger fresh;
    fresh.add(id("01"), id("02"));
    fresh.apply();

    wav.set(id("01"), "a.wav");
    placeObject(document, "11", 0, "01");
    plan.reset(&document, kKindWav);
    plan.apply();
    EXPECT_STREQ(wav.get(id("01")), "a.wav");
    EXPECT_EQ(objectAt(document, "11", 0), "01");
}
