#include <climits>
#include <gtest/gtest.h>
#include <memory>
#include <new>
#include <thread>
#include <vector>

#include "model/bms_channel.h"
#include "model/object_storage.h"

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

TEST(BmsBufferTest, StorageReservedAheadStaysEmptyUntilTheCapacityReachesIt)
{
    BmsBuffer buffer(3840);
    buffer.reserveStorage(40000);
    EXPECT_EQ(buffer.capacity(), 3840);
    EXPECT_TRUE(buffer.exchangeObject(30000, BmsWord("01")).isEmptyObject());
    EXPECT_TRUE(buffer.objectAt(30000).isEmptyObject());
    buffer.reserve(38000);
    EXPECT_EQ(buffer.capacity(), 38400);
    EXPECT_TRUE(buffer.objectAt(30000).isEmptyObject());
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

// Threads that keep spare blocks, as the tool's workers do: a line made from a block
// that an earlier line gave back reads empty, and a line that outlives its thread's
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
            }
            survivors.push_back(std::make_unique<BmsBuffer>(BmsBuffer::kGrowthStep));
            survivors.back()->setObject(1, BmsWord("01"));
        }).join();
    }
    for (const std::unique_ptr<BmsBuffer>& line : survivors)
        EXPECT_TRUE(line->objectAt(1).equalsText("01"));
    survivors.clear();
}
