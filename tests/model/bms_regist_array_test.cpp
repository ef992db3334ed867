#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "model/bms_regist_array.h"

TEST(BmsRegistArrayTest, SetReportsWhetherTheSlotWasUsed)
{
    BmsRegistArray table("WAV");
    BmsWord id("01");
    EXPECT_FALSE(table.set(id, "a.wav"));
    EXPECT_TRUE(table.set(id, "b.wav"));
    EXPECT_STREQ(table.get(id), "b.wav");
    EXPECT_TRUE(table.set(id, nullptr));
    EXPECT_FALSE(table.has(id));
    EXPECT_FALSE(table.set(id, nullptr));
}

TEST(BmsRegistArrayTest, EmptyTextIsAUsedSlotAndAbsentTextReadsEmpty)
{
    BmsRegistArray table("WAV");
    EXPECT_STREQ(table.get(BmsWord("05")), "");
    EXPECT_TRUE(table.isFree(BmsWord("05")));
    table.set(BmsWord("05"), "");
    EXPECT_TRUE(table.has(BmsWord("05")));
    BmsWord id;
    std::string text = "unchanged";
    EXPECT_TRUE(table.takeFirst(id, text));
    EXPECT_EQ(text, "");
    EXPECT_TRUE(id.equalsText("05"));
}

TEST(BmsRegistArrayTest, DetachAndAdoptMoveATextWithoutCopying)
{
    BmsRegistArray table("BMP");
    table.set(BmsWord("01"), "a.bmp");
    auto text = table.detach(BmsWord("01"));
    const char* pointer = text.get();
    EXPECT_FALSE(table.adopt(BmsWord("0Z"), std::move(text)));
    EXPECT_EQ(table.get(BmsWord("0Z")), pointer);
    EXPECT_TRUE(table.isFree(BmsWord("01")));
    EXPECT_EQ(table.detach(BmsWord("01")), nullptr);
}

TEST(BmsRegistArrayTest, TakeFirstDrainsInIndexOrder)
{
    BmsRegistArray table("WAV");
    table.set(BmsWord("0A"), "a");
    table.set(BmsWord("01"), "b");
    table.set(BmsWord("ZZ"), "c");
    std::vector<std::string> drained;
    BmsWord id;
    std::string text;
    while (table.takeFirst(id, text)) {
        char buffer[3];
        drained.push_back(std::string(id.toText(buffer)) + "=" + text);
    }
    EXPECT_EQ(drained, (std::vector<std::string> { "01=b", "0A=a", "ZZ=c" }));
    EXPECT_TRUE(id.equalsText("ZZ"));
    EXPECT_EQ(text, "c"); // the failed call leaves both outputs untouched
}

TEST(BmsRegistArrayTest, ClearCountsUsedSlots)
{
    BmsRegistArray table("WAV");
    table.set(BmsWord("01"), "a");
    table.set(BmsWord("02"), "");
    EXPECT_EQ(table.clear(), 2);
    EXPECT_EQ(table.clear(), 0);
}

TEST(BmsRegistArrayTest, CloneIsDeep)
{
    BmsRegistArray table("wav");
    table.set(BmsWord("01"), "a.wav");
    auto copy = table.clone();
    table.set(BmsWord("01"), "changed");
    EXPECT_STREQ(copy->name(), "WAV");
    EXPECT_STREQ(BmsRegistArray(nullptr).name(), "");
    EXPECT_STREQ(copy->get(BmsWord("01")), "a.wav");
    EXPECT_TRUE(copy->isFree(BmsWord("02")));
}

TEST(BmsRegistArrayTest, MatchesKeyOfItsKindOnly)
{
    BmsRegistArray table("WAV");
    for (const char* key : { "WAV01", "wav0z", "WAVAB", "WAV01 a.wav", "WAV01\ta.wav" })
        EXPECT_TRUE(table.matchesKey(key)) << key;
    for (const char* key : { "WAV", "WAV0", "WAVE", "WAV001", "WAV-1", "BMP01", "", "WAV0\x82" })
        EXPECT_FALSE(table.matchesKey(key)) << key;
}
