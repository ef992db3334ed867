#include "round_trip_model_comparison.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

std::string channelText(BmsWord channel)
{
    char text[3];
    return channel.toText(text);
}

::testing::AssertionResult sameHeaders(const BmsHeaderHash& expected, const BmsHeaderHash& actual)
{
    if (expected.count() != actual.count())
        return ::testing::AssertionFailure() << expected.count() << " headers expected, " << actual.count() << " found";
    const auto remaining = expected.clone();
    while (const auto entry = remaining->detachFirst()) {
        const BmsHeaderOne* found = actual.find(entry->key());
        if (!found || std::strcmp(found->value(), entry->value()) != 0)
            return ::testing::AssertionFailure() << "header " << entry->key() << " differs";
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult sameDefinitions(const BmsRegistArray& expected, const BmsRegistArray& actual)
{
    for (int value = 0; value < BmsRegistArray::kSlotCount; ++value) {
        const BmsWord index(value);
        if (expected.has(index) != actual.has(index) || std::strcmp(expected.get(index), actual.get(index)) != 0)
            return ::testing::AssertionFailure() << expected.name() << channelText(index) << " differs";
    }
    return ::testing::AssertionSuccess();
}

bool holdsObjects(const BmsBuffer& line)
{
    return std::any_of(line.objects().begin(), line.objects().end(),
        [](const PlacedObject& entry) { return !entry.object.isEmptyObject(); });
}

// The line of the channel and its lanes, without the empty ones at the end.
std::vector<const BmsChannel*> lanesWithObjects(const BmsBms& document, BmsWord channel)
{
    std::vector<const BmsChannel*> lanes;
    for (const BmsChannel* lane = document.findLine(channel); lane; lane = lane->child())
        lanes.push_back(lane);
    while (!lanes.empty() && !holdsObjects(*lanes.back()))
        lanes.pop_back();
    return lanes;
}

::testing::AssertionResult sameChannel(const BmsBms& expected, const BmsBms& actual, BmsWord channel)
{
    const auto expectedLanes = lanesWithObjects(expected, channel);
    const auto actualLanes = lanesWithObjects(actual, channel);
    if (expectedLanes.size() != actualLanes.size()) {
        return ::testing::AssertionFailure() << "channel " << channelText(channel) << ": " << expectedLanes.size()
                                             << " lanes expected, " << actualLanes.size() << " found";
    }
    for (std::size_t lane = 0; lane < expectedLanes.size(); ++lane) {
        const int end = std::max(expectedLanes[lane]->capacity(), actualLanes[lane]->capacity());
        for (int tick = 0; tick < end; ++tick) {
            if (!(expectedLanes[lane]->objectAt(tick) == actualLanes[lane]->objectAt(tick))) {
                return ::testing::AssertionFailure()
                    << "channel " << channelText(channel) << " lane " << lane << " differs at tick " << tick;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

} // namespace

::testing::AssertionResult sameDocument(const BmsBms& expected, const BmsBms& actual)
{
    if (auto result = sameHeaders(*expected.headerTable(), *actual.headerTable()); !result)
        return result;
    if (auto result = sameDefinitions(*expected.wavTable(), *actual.wavTable()); !result)
        return result;
    if (auto result = sameDefinitions(*expected.bmpTable(), *actual.bmpTable()); !result)
        return result;
    for (int measure = 0; measure < BmsBms::kMeasureCount; ++measure) {
        if (expected.measureLength(measure).ticks() != actual.measureLength(measure).ticks())
            return ::testing::AssertionFailure() << "length of measure " << measure << " differs";
    }
    for (int value = 0; value < BmsWord::kValueCount; ++value) {
        if (auto result = sameChannel(expected, actual, BmsWord(value)); !result)
            return result;
    }
    return ::testing::AssertionSuccess();
}
