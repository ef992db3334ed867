#include <cstdio>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <set>
#include <string>

#include "editing/chart_objects.h"
#include "editing/definition_operations.h"
#include "editing/recording_page.h"

using testing::ElementsAre;
using testing::IsEmpty;

namespace {
BmsWord id(const char* text)
{
    return BmsWord(text);
}
int row(const char* text)
{
    return IndexBase().rowOf(BmsWord(text));
}

class DefinitionOperationsTest : public testing::Test {
protected:
    BmsBms document;
    BmsRegistArray& wav = *document.wavTable();
    BmsRegistArray& bmp = *document.bmpTable();
    RecordingPage wavPage { document, kKindWav };
    RecordingPage bmpPage { document, kKindBmp };
    ListExchanger plan;

    // Rows 1..last named n1.wav .. n<last>.wav, so every move shows in the names.
    void nameRows(int last)
    {
        for (int i = 1; i <= last; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "n%d.wav", i);
            wav.set(IndexBase().wordAt(i), name);
        }
    }
    std::string nameOf(int i) { return wav.get(IndexBase().wordAt(i)); }
};
} // namespace

TEST_F(DefinitionOperationsTest, SwapExchangesNamesAndReferencesInTheChannelsOfTheKindOnly)
{
    wav.set(id("03"), "three.wav");
    wav.set(id("07"), "seven.wav");
    placeObject(document, "11", 0, "03");
    placeObject(document, "25", 48, "07");
    addWavLane(document, 96, "07");
    addWavLane(document, 144, "03");
    placeObject(document, "04", 0, "03");
    wavPage.selection = { row("03"), row("07"), row("0A") };

    EXPECT_TRUE(swapTopTwoSelected(wavPage, plan));

    EXPECT_STREQ(wav.get(id("03")), "seven.wav");
    EXPECT_STREQ(wav.get(id("07")), "three.wav");
    EXPECT_EQ(objectAt(document, "11", 0), "07");
    EXPECT_EQ(objectAt(document, "25", 48), "03");
    EXPECT_EQ(objectAt(document, "01", 96, 0), "03");
    EXPECT_EQ(objectAt(document, "01", 144, 1), "07");
    EXPECT_EQ(objectAt(document, "04", 0), "03");
    EXPECT_THAT(wavPage.refreshedRows, ElementsAre(row("03"), row("07")));
    EXPECT_THAT(wavPage.selection, ElementsAre(row("03"), row("07"), row("0A")));
}

TEST_F(DefinitionOperationsTest, SwapWithAnEmptySlotMovesTheNameIntoIt)
{
    wav.set(id("02"), "a.wav");
    placeObject(document, "11", 0, "02");
    wavPage.selection = { row("02"), row("05") };

    EXPECT_TRUE(swapTopTwoSelected(wavPage, plan));

    EXPECT_FALSE(wav.has(id("02")));
    EXPECT_STREQ(wav.get(id("05")), "a.wav");
    EXPECT_EQ(objectAt(document, "11", 0), "05");
}

TEST_F(DefinitionOperationsTest, SwapNeedsTwoSelectedRowsBesides00)
{
    wav.set(id("00"), "zero.wav");
    wav.set(id("05"), "five.wav");
    placeObject(document, "11", 0, "05");
    wavPage.selection = { 0, row("05") };

    EXPECT_FALSE(swapTopTwoSelected(wavPage, plan));
    wavPage.selection = {};
    EXPECT_FALSE(swapTopTwoSelected(wavPage, plan));

    EXPECT_STREQ(wav.get(id("00")), "zero.wav");
    EXPECT_STREQ(wav.get(id("05")), "five.wav");
    EXPECT_EQ(objectAt(document, "11", 0), "05");
    EXPECT_THAT(wavPage.refreshedRows, IsEmpty());
}

TEST_F(DefinitionOperationsTest, MovingABlockUpPutsTheRowAboveItBelowIt)
{
    nameRows(8);
    placeObject(document, "11", 0, "04");
    placeObject(document, "11", 1, "07");
    wavPage.selection = { 5, 6, 7 };

    EXPECT_TRUE(moveSelection(wavPage, plan, true));

    EXPECT_EQ(nameOf(4), "n5.wav");
    EXPECT_EQ(nameOf(5), "n6.wav");
    EXPECT_EQ(nameOf(6), "n7.wav");
    EXPECT_EQ(nameOf(7), "n4.wav");
    EXPECT_EQ(nameOf(8), "n8.wav");
    EXPECT_EQ(objectAt(document, "11", 0), "07");
    EXPECT_EQ(objectAt(document, "11", 1), "06");
    EXPECT_THAT(wavPage.refreshedRows, ElementsAre(4, 5, 6, 7));
    EXPECT_THAT(wavPage.selection, ElementsAre(4, 5, 6));
}

TEST_F(DefinitionOperationsTest, TwoBlocksMoveIndependently)
{
    nameRows(8);
    wavPage.selection = { 2, 3, 5 };

    EXPECT_TRUE(moveSelection(wavPage, plan, false));

    EXPECT_EQ(nameOf(2), "n4.wav");
    EXPECT_EQ(nameOf(3), "n2.wav");
    EXPECT_EQ(nameOf(4), "n3.wav");
    EXPECT_EQ(nameOf(5), "n6.wav");
    EXPECT_EQ(nameOf(6), "n5.wav");
    EXPECT_THAT(wavPage.selection, ElementsAre(3, 4, 6));
}

TEST_F(DefinitionOperationsTest, BlocksMoveAtBothEndsOfTheList)
{
    nameRows(1295);

    wavPage.selection = { 1293, 1294 };
    EXPECT_TRUE(moveSelection(wavPage, plan, false));
    EXPECT_EQ(nameOf(1293), "n1295.wav");
    EXPECT_EQ(nameOf(1294), "n1293.wav");
    EXPECT_EQ(nameOf(1295), "n1294.wav");
    EXPECT_THAT(wavPage.selection, ElementsAre(1294, 1295));

    wavPage.selection = { 1, 2 };
    EXPECT_TRUE(moveSelection(wavPage, plan, false));
    EXPECT_EQ(nameOf(1), "n3.wav");
    EXPECT_EQ(nameOf(2), "n1.wav");
    EXPECT_EQ(nameOf(3), "n2.wav");
    EXPECT_THAT(wavPage.selection, ElementsAre(2, 3));

    nameRows(1295);
    wavPage.refreshedRows.clear();
    wavPage.selection = { 1294, 1295 };
    EXPECT_TRUE(moveSelection(wavPage, plan, true));
    EXPECT_EQ(nameOf(1293), "n1294.wav");
    EXPECT_EQ(nameOf(1294), "n1295.wav");
    EXPECT_EQ(nameOf(1295), "n1293.wav");
    EXPECT_THAT(wavPage.refreshedRows, ElementsAre(1293, 1294, 1295));
    EXPECT_THAT(wavPage.selection, ElementsAre(1293, 1294));
}

TEST_F(DefinitionOperationsTest, NothingMovesPastAnEndOrWithRow00Selected)
{
    nameRows(1295);
    wav.set(id("00"), "zero.wav");
    placeObject(document, "11", 0, "01");
    const struct {
        std::set<int> selection;
        bool up;
    } blocked[] = { { { 1, 5 }, true }, { { 1295 }, false }, { { 0, 5 }, true }, { { 0, 5 }, false }, { {}, true } };

    for (const auto& attempt : blocked) {
        wavPage.selection = attempt.selection;
        EXPECT_FALSE(moveSelection(wavPage, plan, attempt.up));
        EXPECT_EQ(wavPage.selection, attempt.selection);
    }

    EXPECT_EQ(nameOf(0), "zero.wav");
    EXPECT_EQ(nameOf(1), "n1.wav");
    EXPECT_EQ(nameOf(5), "n5.wav");
    EXPECT_EQ(nameOf(1295), "n1295.wav");
    EXPECT_EQ(objectAt(document, "11", 0), "01");
    EXPECT_THAT(wavPage.refreshedRows, IsEmpty());
}

TEST_F(DefinitionOperationsTest, RemoveDropsSelectedNamesWithRow00AndReselectsTheCaret)
{
    nameRows(4);
    wav.set(id("00"), "zero.wav");
    placeObject(document, "11", 0, "03");
    wavPage.selection = { 0, 3 };
    wavPage.caret = 2;

    removeSelected(wavPage);

    EXPECT_FALSE(wav.has(id("00")));
    EXPECT_FALSE(wav.has(id("03")));
    EXPECT_EQ(nameOf(2), "n2.wav");
    EXPECT_EQ(objectAt(document, "11", 0), "03") << "channel data is not touched";
    EXPECT_THAT(wavPage.refreshedRows, ElementsAre(0, 3));
    EXPECT_THAT(wavPage.selection, ElementsAre(2));

    wavPage.refreshedRows.clear();
    wavPage.selection = {};
    wavPage.caret = 4;
    removeSelected(wavPage);
    EXPECT_EQ(nameOf(4), "n4.wav");
    EXPECT_THAT(wavPage.refreshedRows, IsEmpty());
    EXPECT_THAT(wavPage.selection, ElementsAre(4));
}

TEST_F(DefinitionOperationsTest, UsageCountsObjectsOfTheKindAnywhereInTheChart)
{
    addWavLane(document, 0, "01");
    addWavLane(document, 7000, "0Z");
    placeObject(document, "6Z", 30000, "ZZ");
    placeObject(document, "04", 0, "02");
    placeObject(document, "20", 0, "03");
    placeObject(document, "03", 0, "04");
    bmp.set(id("05"), "named.bmp");

    UsageFlags wavUsed;
    markUsed(wavPage, wavUsed);
    UsageFlags bmpUsed;
    markUsed(bmpPage, bmpUsed);

    // Flags by index value.
    const auto value = [](const char* index) { return BmsWord(index).value(); };
    for (int i = 0; i < BmsWord::kValueCount; ++i) {
        EXPECT_EQ(wavUsed[i], i == value("01") || i == value("0Z") || i == value("ZZ")) << i;
        EXPECT_EQ(bmpUsed[i], i == value("02")) << i;
    }
}

TEST_F(DefinitionOperationsTest, UnregisterRemovesUnusedNamesButNever00)
{
    wav.set(id("00"), "zero.wav");
    wav.set(id("01"), "used.wav");
    wav.set(id("02"), "unused.wav");
    wav.set(id("03"), "image-only.wav");
    placeObject(document, "11", 0, "01");
    placeObject(document, "04", 0, "03");

    unregisterUnreferenced(wavPage);

    EXPECT_STREQ(wav.get(id("00")), "zero.wav");
    EXPECT_STREQ(wav.get(id("01")), "used.wav");
    EXPECT_FALSE(wav.has(id("02")));
    EXPECT_FALSE(wav.has(id("03")));
    EXPECT_EQ(objectAt(document, "04", 0), "03");
    EXPECT_THAT(wavPage.refreshedRows, ElementsAre(2, 3));
}

TEST_F(DefinitionOperationsTest, CompactKeepsUsedButUnnamedRowsInTheRun)
{
    for (const char* index : { "01", "02", "05", "07" })
        wav.set(id(index), (std::string(index) + ".wav").c_str());
    placeObject(document, "11", 0, "06");
    placeObject(document, "11", 96, "07");
    placeObject(document, "12", 192, "05");
    placeObject(document, "04", 0, "05");
    wavPage.selection = { 2, 5 };

    compactIndices(wavPage, plan);

    EXPECT_STREQ(wav.get(id("01")), "01.wav");
    EXPECT_STREQ(wav.get(id("02")), "02.wav");
    EXPECT_STREQ(wav.get(id("03")), "05.wav");
    EXPECT_FALSE(wav.has(id("04")));
    EXPECT_STREQ(wav.get(id("05")), "07.wav");
    EXPECT_FALSE(wav.has(id("06")));
    EXPECT_FALSE(wav.has(id("07")));
    EXPECT_EQ(objectAt(document, "11", 0), "04");
    EXPECT_EQ(objectAt(document, "11", 96), "05");
    EXPECT_EQ(objectAt(document, "12", 192), "03");
    EXPECT_EQ(objectAt(document, "04", 0), "05");
    EXPECT_EQ(wavPage.fullRefreshes, 1);
    EXPECT_THAT(wavPage.selection, IsEmpty());
}

TEST_F(DefinitionOperationsTest, CompactRenumbersReferencesUpToTheLastObjectOfTheChart)
{
    bmp.set(id("0A"), "far.bmp");
    placeObject(bmpPage.document(), "A5", 100000, "0A");
    addWavLane(document, 200000, "01");

    compactIndices(bmpPage, plan);

    EXPECT_STREQ(bmp.get(id("01")), "far.bmp");
    EXPECT_EQ(objectAt(document, "A5", 100000), "01");
    EXPECT_EQ(objectAt(document, "01", 200000, 0), "01");
}

TEST_F(DefinitionOperationsTest, RemovedButStillReferencedRowKeepsItsPlaceWhenCompacted)
{
    nameRows(3);
    wav.set(id("05"), "five.wav");
    placeObject(document, "11", 0, "02");
    placeObject(document, "11", 1, "05");
    wavPage.selection = { 2 };
    removeSelected(wavPage);

    compactIndices(wavPage, plan);

    EXPECT_EQ(nameOf(1), "n1.wav");
    EXPECT_FALSE(wav.has(id("02")));
    EXPECT_EQ(nameOf(3), "n3.wav");
    EXPECT_EQ(nameOf(4), "five.wav");
    EXPECT_EQ(objectAt(document, "11", 0), "02");
    EXPECT_EQ(objectAt(document, "11", 1), "04");
}

TEST_F(DefinitionOperationsTest, EmptyChartStaysAsItWasButIsRefreshedAndDeselected)
{
    wavPage.selection = { 1, 3 };
    unregisterUnreferenced(wavPage);
    EXPECT_THAT(wavPage.refreshedRows, IsEmpty());

    compactIndices(wavPage, plan);
    EXPECT_EQ(plan.size(), 0);
    EXPECT_EQ(wav.clear(), 0);
    EXPECT_EQ(wavPage.fullRefreshes, 1);
    EXPECT_THAT(wavPage.selection, IsEmpty());
}

TEST_F(DefinitionOperationsTest, CompactWithoutAHolePlansNothing)
{
    nameRows(1295);
    placeObject(document, "11", 0, "ZZ");

    compactIndices(wavPage, plan);

    EXPECT_EQ(plan.size(), 0);
    EXPECT_EQ(nameOf(1), "n1.wav");
    EXPECT_EQ(nameOf(1295), "n1295.wav");
    EXPECT_EQ(objectAt(document, "11", 0), "ZZ");
    EXPECT_EQ(wavPage.fullRefreshes, 1);
}
