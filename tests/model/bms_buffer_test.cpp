#include <climits>
#include <gtest/gtest.h>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "model/bms_channel.h"
#include "model/object_storage.h"
#include "model/object_ticks.h"

TEST(BmsBufferTest, ReserveGrowsInStepsAndNewPositionsAreEmpty)
{
    BmsChannel line(BmsWord("11"));
    line.setObject(10, BmsWord("01"));
    EXPECT_EQ(line.capacity(), 3840);
    EXPECT_TRUE(line.setObject(5000, BmsWord("0Z")).isEmptyObject());
    EXPECT_EQ(line.capacity(), 7680);
    EXPECT_TRUE(line.objectAt(10).equalsText("01"));
    EXPECT_TRUE(line.objectAt(5000).equalsText("0Z"));
    for (int i = 3840; i < 7680; ++i)
        ASSERT_TRUE(i == 5000 || line.objectAt(i).isEmptyObject()) << i;
    EXPECT_EQ(line.reserve(7679), 7680);
    EXPECT_EQ(line.reserve(7680), 11520);
}

namespace {

// The entries as "tick:object" texts, in the order the line keeps them.
std::vector<std::string> entryTexts(const BmsBuffer& buffer)
{
    std::vector<std::string> texts;
    for (const PlacedObject& entry : buffer.objects()) {
        char object[3];
        texts.push_back(std::to_string(entry.tick) + ':' + entry.object.toText(object));
    }
    return texts;
}

using Texts = std::vector<std::string>;

} // namespace

TEST(BmsBufferTest, StoresOnlyObjectsInTickOrderWhateverTheOrderOfWrites)
{
    BmsBuffer buffer(3840);
    EXPECT_TRUE(buffer.setObject(300, BmsWord("03")).isEmptyObject());
    EXPECT_TRUE(buffer.setObject(100, BmsWord("01")).isEmptyObject());
    EXPECT_TRUE(buffer.setObject(200, BmsWord("02")).isEmptyObject());
    EXPECT_TRUE(buffer.setObject(400, BmsWord("00")).isEmptyObject());
    EXPECT_EQ(entryTexts(buffer), (Texts { "100:01", "200:02", "300:03" }));
    EXPECT_TRUE(buffer.exchangeObject(200, BmsWord("0Z")).equalsText("02"));
    EXPECT_TRUE(buffer.exchangeObject(100, BmsWord("00")).equalsText("01"));
    EXPECT_EQ(entryTexts(buffer), (Texts { "200:0Z", "300:03" }));
    EXPECT_TRUE(buffer.objectAt(100).isEmptyObject());
    EXPECT_TRUE(buffer.objectAt(250).isEmptyObject());
    EXPECT_TRUE(buffer.objectAt(300).equalsText("03"));

    EXPECT_EQ(buffer.objectsBetween(200, 300).size(), 1u);
    EXPECT_EQ(buffer.objectsBetween(201, 301).front().tick, 300);
    EXPECT_TRUE(buffer.objectsBetween(301, 3840).empty());
    EXPECT_TRUE(buffer.objectsBetween(0, 200).empty());
    EXPECT_EQ(buffer.objectsBetween(0, 201).size(), 1u);
    EXPECT_EQ(buffer.objectsBetween(300, 301).size(), 1u);
    EXPECT_TRUE(BmsBuffer(3840).objectsBetween(0, 3840).empty());
}

TEST(BmsBufferTest, AppendedObjectsSettleWithTheLastWriteOfEachTick)
{
    struct Case {
        const char* name;
        std::vector<std::pair<int, const char*>> writes;
        Texts settled;
        int capacity;
    };
    const Case cases[] = {
        { "in order", { { 1, "01" }, { 2, "00" }, { 5, "02" } }, { "1:01", "5:02" }, 3840 },
        { "backwards", { { 5000, "02" }, { 1, "01" } }, { "1:01", "5000:02" }, 7680 },
        { "overwritten", { { 5, "01" }, { 1, "02" }, { 5, "03" } }, { "1:02", "5:03" }, 3840 },
        { "cleared", { { 5, "01" }, { 9, "02" }, { 5, "00" } }, { "9:02" }, 3840 },
        { "cleared in order", { { 5, "01" }, { 5, "00" }, { 6, "03" } }, { "6:03" }, 3840 },
        { "empty beyond the capacity", { { 5, "01" }, { 1, "02" }, { 9000, "00" } }, { "1:02", "5:01" }, 3840 },
    };
    for (const Case& c : cases) {
        BmsBuffer buffer(3840);
        for (const auto& [tick, object] : c.writes)
            buffer.appendObject(tick, BmsWord(object));
        buffer.settleObjects();
        EXPECT_EQ(entryTexts(buffer), c.settled) << c.name;
        EXPECT_EQ(buffer.capacity(), c.capacity) << c.name;
    }
}

TEST(BmsBufferTest, AppendedLinesStoreWhatAppendingTheirObjectsOneByOneStores)
{
    struct Line {
        int start;
        int ticks;
        const char* pairs;
    };
    struct Case {
        const char* name;
        std::vector<Line> lines;
        bool keepEmpty;
        std::size_t reserved;
    };
    const Case cases[] = {
        { "in order", { { 0, 384, "01000203" }, { 384, 384, "0Z" } }, false, 64 },
        { "in order, empty kept", { { 0, 384, "01000203" }, { 384, 384, "000Z" } }, true, 64 },
        { "no room reserved", { { 0, 384, "01020304050607080910" } }, false, 0 },
        { "an earlier measure after a later one", { { 384, 384, "0102" }, { 0, 384, "0300" } }, true, 64 },
        { "an earlier line cleared", { { 0, 384, "0102" }, { 0, 384, "0000" } }, true, 64 },
        { "more objects than ticks", { { 0, 3, "01020304" } }, true, 64 },
        { "beyond the capacity", { { 3800, 384, "0102" } }, false, 64 },
        { "beyond the capacity, empty kept", { { 3800, 384, "0100" } }, true, 64 },
        { "only empty objects beyond the capacity", { { 3700, 384, "01020000" } }, false, 64 },
        { "steps beyond the capacity", { { 20000, 384, "0001" }, { 30000, 384, "02" } }, true, 64 },
        { "across blocks beyond the capacity", { { 65530, 20, "0102" } }, false, 64 },
        { "off the grid", { { 0, 10, "010203" }, { 10, 384, "04" } }, false, 64 },
    };
    for (const Case& c : cases) {
        BmsBuffer whole(3840);
        BmsBuffer oneByOne(3840);
        whole.reserveObjects(c.reserved);
        for (const Line& line : c.lines) {
            const std::string_view pairs = line.pairs;
            whole.appendLine(line.start, line.ticks, pairs, IndexBase(), c.keepEmpty);
            forEachObjectTick(line.start, line.ticks, pairs.size() / 2, [&](std::size_t j, int tick) {
                const BmsWord object(pairs[2 * j], pairs[2 * j + 1]);
                if (c.keepEmpty || !object.isEmptyObject())
                    oneByOne.appendObject(tick, object);
                return true;
            });
        }
        whole.settleObjects();
        oneByOne.settleObjects();
        EXPECT_EQ(entryTexts(whole), entryTexts(oneByOne)) << c.name;
        EXPECT_EQ(whole.capacity(), oneByOne.capacity()) << c.name;
    }
}

TEST(BmsBufferTest, ReservedStorageKeepsTheObjectsAndTheLineGrowsPastIt)
{
    BmsBuffer buffer(3840);
    buffer.appendObject(7, BmsWord("01"));
    buffer.reserveObjects(2);
    buffer.appendObject(3, BmsWord("02"));
    // Less than the line holds changes nothing.
    buffer.reserveObjects(1);
    for (int tick = 10; tick < 100; ++tick)
        buffer.appendObject(tick, BmsWord("0Z"));
    buffer.settleObjects();
    ASSERT_EQ(buffer.objectCount(), 92u);
    EXPECT_EQ(entryTexts(buffer)[0], "3:02");
    EXPECT_EQ(entryTexts(buffer)[1], "7:01");
    EXPECT_EQ(entryTexts(buffer)[91], "99:0Z");
}

// Entries keep their ticks within blocks of 65,536 ticks: lines that span many blocks,
// written in any order, edited and read back in part, give every tick back whole.
TEST(BmsBufferTest, TicksStayWholeAcrossBlocksOfTicks)
{
    constexpr int kBlock = TickBlock::kTicks;
    BmsBuffer buffer(BmsBuffer::kGrowthStep);
    for (const int tick : { 5 * kBlock + 7, 3, kBlock - 1, kBlock, 5 * kBlock + 7, 2 * kBlock + 9 })
        buffer.appendObject(tick, BmsWord(tick == 3 ? "0Z" : "01"));
    buffer.appendObject(kBlock, BmsWord("00"));
    buffer.settleObjects();
    EXPECT_EQ(entryTexts(buffer), (Texts { "3:0Z", "65535:01", "131081:01", "327687:01" }));

    // A new block between two others, and a block that loses its only entry.
    EXPECT_TRUE(buffer.setObject(4 * kBlock, BmsWord("02")).isEmptyObject());
    EXPECT_TRUE(buffer.exchangeObject(2 * kBlock + 9, BmsWord("00")).equalsText("01"));
    EXPECT_TRUE(buffer.setObject(kBlock - 2, BmsWord("03")).isEmptyObject());
    EXPECT_EQ(entryTexts(buffer), (Texts { "3:0Z", "65534:03", "65535:01", "262144:02", "327687:01" }));
    EXPECT_TRUE(buffer.objectAt(kBlock - 1).equalsText("01"));
    EXPECT_TRUE(buffer.objectAt(2 * kBlock + 9).isEmptyObject());
    EXPECT_TRUE(buffer.objectAt(5 * kBlock + 7).equalsText("01"));
    EXPECT_EQ(buffer.lastObjectTick(), 5 * kBlock + 7);

    const PlacedObjects between = buffer.objectsBetween(kBlock - 1, 5 * kBlock + 7);
    ASSERT_EQ(between.size(), 2u);
    EXPECT_EQ(between.front().tick, kBlock - 1);
    std::vector<int> ticks;
    for (const PlacedObject entry : between)
        ticks.push_back(entry.tick);
    EXPECT_EQ(ticks, (std::vector<int> { kBlock - 1, 4 * kBlock }));
    EXPECT_TRUE(buffer.objectsBetween(5 * kBlock + 8, 6 * kBlock).empty());
    EXPECT_TRUE(buffer.objectsBetween(0, 3).empty());

    // A data line longer than a block crosses into the next ones as it is appended.
    BmsBuffer line(3 * kBlock);
    line.reserveObjects(4);
    line.appendLine(kBlock - 2, 2 * kBlock, "01020304", IndexBase(), false);
    EXPECT_EQ(entryTexts(line), (Texts { "65534:01", "98302:02", "131070:03", "163838:04" }));
    for (StoredObject& entry : line.storedObjects())
        entry.object = BmsWord("00");
    EXPECT_EQ(line.lastObjectTick(), -1);
}

TEST(BmsBufferTest, PositionsOutsideTheCapacityReadEmptyAndStoreNothing)
{
    BmsBuffer buffer(3840);
    EXPECT_TRUE(buffer.exchangeObject(-1, BmsWord("01")).isEmptyObject());
    EXPECT_TRUE(buffer.setObject(-5, BmsWord("01")).isEmptyObject());
    EXPECT_TRUE(buffer.objectAt(-1).isEmptyObject());
    EXPECT_TRUE(buffer.exchangeObject(3840, BmsWord("01")).isEmptyObject());
    EXPECT_EQ(buffer.capacity(), 3840);
}

TEST(BmsBufferTest, ReserveBeyondIntThrows)
{
    BmsBuffer buffer(3840);
    EXPECT_THROW(buffer.reserve(INT_MAX), std::bad_alloc);
    EXPECT_EQ(buffer.capacity(), 3840);
}

TEST(BmsChannelTest, SetChildAcceptsOnlyTheSameChannel)
{
    BmsChannel line(BmsWord("01"));
    auto other = std::make_unique<BmsChannel>(BmsWord("02"));
    EXPECT_FALSE(line.setChild(other));
    EXPECT_NE(other, nullptr);
    EXPECT_EQ(line.child(), nullptr);

    auto lane = std::make_unique<BmsChannel>(BmsWord("01"));
    BmsChannel* first = lane.get();
    EXPECT_TRUE(line.setChild(lane));
    EXPECT_EQ(lane, nullptr);
    EXPECT_EQ(line.child(), first);

    auto replacement = std::make_unique<BmsChannel>(BmsWord("01"));
    EXPECT_TRUE(line.setChild(replacement));
    EXPECT_EQ(replacement.get(), first); // the displaced child comes back to the caller
}

TEST(BmsChannelTest, DestroysAVeryDeepChainOfLanes)
{
    auto top = std::make_unique<BmsChannel>(BmsWord("01"));
    BmsChannel* bottom = top.get();
    for (int i = 0; i < 100'000; ++i) {
        auto lane = std::make_unique<BmsChannel>(BmsWord("01"));
        BmsChannel* next = lane.get();
        ASSERT_TRUE(bottom->setChild(lane));
        bottom = next;
    }
    top.reset();
    SUCCEED();
}

// Threads that keep spare blocks, as the tool's workers do: a line whose blocks an
// earlier line gave back reads empty, and a line that outlives its thread's
// spare blocks is freed on another thread. (Under Wine this ran into MinGW freeing a
// thread's objects before their destructors when spare blocks were thread_local.)
TEST(BmsBufferTest, ThreadsThatKeepSpareBlocksReuseThemAndEndCleanly)
{
    std::vector<std::unique_ptr<BmsBuffer>> survivors;
    for (int round = 0; round < 32; ++round) {
        std::thread([&survivors] {
            const SpareObjectBlocks spareBlocks;
            for (int line = 0; line < 8; ++line) {
                BmsBuffer buffer(BmsBuffer::kGrowthStep);
                for (int i = 0; i < buffer.capacity(); ++i)
                    ASSERT_TRUE(buffer.exchangeObject(i, BmsWord("ZZ")).isEmptyObject()) << line << ' ' << i;
                ASSERT_EQ(buffer.objectCount(), static_cast<std::size_t>(buffer.capacity()));
            }
            survivors.push_back(std::make_unique<BmsBuffer>(BmsBuffer::kGrowthStep));
            survivors.back()->setObject(1, BmsWord("01"));
        }).join();
    }
    for (const std::unique_ptr<BmsBuffer>& line : survivors)
        EXPECT_TRUE(line->objectAt(1).equalsText("01"));
    survivors.clear();
}
