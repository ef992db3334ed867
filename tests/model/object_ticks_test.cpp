#include <gtest/gtest.h>
#include <vector>

#include "model/object_ticks.h"

namespace {

std::vector<int> ticksOf(int start, int ticks, std::size_t objectCount)
{
    std::vector<int> placed;
    forEachObjectTick(start, ticks, objectCount, [&placed](std::size_t j, int tick) {
        EXPECT_EQ(j, placed.size());
        placed.push_back(tick);
        return true;
    });
    return placed;
}

} // namespace

TEST(ObjectTicks, AWholeStepPlacesEveryObjectOnItsExactTick)
{
    for (int start : { 0, 384, 999'000'000 }) {
        for (int ticks : { 1, 192, 384, 999'936 }) {
            for (std::size_t count = 1; count <= 64; ++count) {
                if (ticks % static_cast<int>(count) != 0)
                    continue;
                const std::vector<int> placed = ticksOf(start, ticks, count);
                ASSERT_EQ(placed.size(), count) << start << ' ' << ticks << ' ' << count;
                for (std::size_t j = 0; j < count; ++j)
                    ASSERT_EQ(placed[j], start + static_cast<int>(j) * (ticks / static_cast<int>(count)));
            }
        }
    }
}

TEST(ObjectTicks, OtherStepsTruncateTheSumsAndStopAtTheMeasureEnd)
{
    EXPECT_EQ(ticksOf(0, 10, 3), (std::vector<int> { 0, 3, 6 }));
    EXPECT_EQ(ticksOf(100, 2, 4), (std::vector<int> { 100, 100, 101, 101 }));
    EXPECT_TRUE(ticksOf(5, 0, 2).empty());
    // A visit that returns false stops the walk and still counts.
    EXPECT_EQ(forEachObjectTick(0, 384, 4, [](std::size_t j, int) { return j < 1; }), 2u);
    EXPECT_EQ(forEachObjectTick(0, 10, 3, [](std::size_t j, int) { return j < 1; }), 2u);
}
