#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "model/bms_header_hash.h"

namespace {

std::vector<std::string> drainKeys(BmsHeaderHash& table)
{
    std::vector<std::string> keys;
    std::string key, value;
    while (table.takeFirst(key, value))
        keys.push_back(key);
    return keys;
}

} // namespace

TEST(BmsHeaderHashTest, KeysIgnoreCaseAndAreStoredUpperCased)
{
    BmsHeaderHash table;
    table.set("title", "abc");
    EXPECT_STREQ(table.get("TITLE"), "abc");
    EXPECT_STREQ(table.get("Title"), "abc");
    EXPECT_STREQ(table.find("title")->key(), "TITLE");
    EXPECT_STREQ(table.get("GENRE"), "");
    EXPECT_EQ(table.find("GENRE"), nullptr);
}

TEST(BmsHeaderHashTest, InBase62TheIndexThatEndsAnIndexedKeyKeepsItsCase)
{
    BmsHeaderHash table;
    table.setIndexBase(IndexBase::ofRadix(62));
    for (const char* key : { "bgaAa", "BGAAA", "@bgaaA", "bpmzz", "StopZz", "title" })
        table.set(key, key);
    EXPECT_EQ(table.count(), 6);
    const auto copy = table.clone();
    for (const BmsHeaderHash* t : { &table, copy.get() }) {
        for (const char* key : { "BGAAa", "BGAAA", "@BGAaA", "BPMzz", "STOPZz", "TITLE" })
            EXPECT_NE(t->find(key), nullptr) << key;
        EXPECT_EQ(t->find("BGAaa"), nullptr);
        EXPECT_STREQ(t->get("bgaAa"), "bgaAa");
        EXPECT_STREQ(t->get("Title"), "title");
    }
    // Inserted entries are spelled like set keys.
    table.insert(std::make_unique<BmsHeaderOne>("Bpmzz", "1"));
    EXPECT_STREQ(table.get("BPMzz"), "1");
    EXPECT_EQ(table.count(), 6);
}

TEST(BmsHeaderHashTest, SettingAKeyAgainReplacesItAtTheTailOfItsBucket)
{
    BmsHeaderHash table;
    table.set("TITLE", "a");
    table.set("TOTAL", "200");
    EXPECT_EQ(BmsHeaderHash::hashKey("TITLE"), 66);
    EXPECT_EQ(BmsHeaderHash::hashKey("TOTAL"), 66);
    auto copy = table.clone();
    EXPECT_EQ(drainKeys(*copy), (std::vector<std::string> { "TITLE", "TOTAL" }));
    table.set("title", "b");
    EXPECT_EQ(table.count(), 2);
    EXPECT_STREQ(table.get("TITLE"), "b");
    EXPECT_EQ(drainKeys(table), (std::vector<std::string> { "TOTAL", "TITLE" }));
}

TEST(BmsHeaderHashTest, TakeFirstFollowsBucketOrder)
{
    BmsHeaderHash table;
    for (const char* key : { "TOTAL", "BPM", "GENRE", "ARTIST", "TITLE" })
        table.set(key, "x");
    EXPECT_EQ(drainKeys(table), (std::vector<std::string> { "BPM", "ARTIST", "GENRE", "TOTAL", "TITLE" }));
    std::string key = "kept", value = "kept";
    EXPECT_FALSE(table.takeFirst(key, value));
    EXPECT_EQ(key + value, "keptkept");
}

TEST(BmsHeaderHashTest, EmptyKeyComesFirst)
{
    BmsHeaderHash table;
    table.set("BPM", "150");
    table.set(nullptr, nullptr);
    EXPECT_EQ(BmsHeaderHash::hashKey(""), 0);
    EXPECT_EQ(drainKeys(table), (std::vector<std::string> { "", "BPM" }));
}

TEST(BmsHeaderHashTest, TakeMovesTheValueOutOrLeavesTheBuffer)
{
    BmsHeaderHash table;
    table.set("ARTIST", " someone ");
    std::string value = "kept";
    EXPECT_FALSE(table.take("GENRE", value));
    EXPECT_EQ(value, "kept");
    EXPECT_TRUE(table.take("artist", value));
    EXPECT_EQ(value, " someone ");
    EXPECT_EQ(table.count(), 0);
    EXPECT_FALSE(table.remove("ARTIST"));
}

TEST(BmsHeaderHashTest, CloneDrainsLikeTheSourceAndLeavesItUnchanged)
{
    BmsHeaderHash table;
    for (const char* key : { "TITLE", "PLAYER", "TOTAL", "BPM", "RANK", "GENRE", "ZZKEY" })
        table.set(key, key);
    auto copy = table.clone();
    std::vector<std::string> fromCopy = drainKeys(*copy);
    EXPECT_EQ(table.count(), 7);
    EXPECT_EQ(drainKeys(table), fromCopy);
}

TEST(BmsHeaderHashTest, ClearCountsEntries)
{
    BmsHeaderHash table;
    table.set("A", "1");
    table.set("B", "2");
    EXPECT_EQ(table.clear(), 2);
    EXPECT_EQ(table.count(), 0);
    EXPECT_EQ(table.detachFirst(), nullptr);
}
