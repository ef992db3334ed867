#include "bms/object_placer.h"

#include <algorithm>
#include <memory>
#include <new>

ObjectPlacer::ObjectPlacer(BmsBms& document, std::size_t storageBudget)
    : document_(document)
    , budget_(storageBudget)
{
}

void ObjectPlacer::expect(int m, BmsWord channel, std::size_t pairs)
{
    if (!channel.equalsChars('0', '1')) {
        expectedOnChannel_[static_cast<std::size_t>(channel.value())] += pairs;
        return;
    }
    const std::size_t lane = static_cast<std::size_t>(expectedLaneCounters_[static_cast<std::size_t>(m)]++);
    if (lane >= expectedOnLane_.size())
        expectedOnLane_.resize(lane + 1);
    expectedOnLane_[lane] += pairs;
}

bool ObjectPlacer::place(int m, BmsWord channel, std::string_view objects)
{
    return channel.equalsChars('0', '1') ? placeOnLane(m, channel, objects) : placeOnChannelLine(m, channel, objects);
}

void ObjectPlacer::finish()
{
    for (BmsChannel* lane : lanes_)
        lane->settleObjects();
    for (BmsChannel* line : lineOfChannel_) {
        if (line)
            line->settleObjects();
    }
}

// Every object of a lane is written, "00" included.
bool ObjectPlacer::placeOnLane(int m, BmsWord channel, std::string_view objects)
{
    const int lane = laneCounters_[static_cast<std::size_t>(m)]++;
    BmsChannel* line = lane < static_cast<int>(lanes_.size()) ? lanes_[static_cast<std::size_t>(lane)] : nullptr;
    if (!line) {
        if (!budget_.takeLine())
            return false;
        line = addLane(channel, lane);
        if (static_cast<std::size_t>(lane) < expectedOnLane_.size())
            reserveExpected(*line, expectedOnLane_[static_cast<std::size_t>(lane)]);
    }
    return writeObjects(*line, m, objects, true);
}

// Merged into the channel's line: a "00" never overwrites an object placed by an
// earlier line of the measure.
bool ObjectPlacer::placeOnChannelLine(int m, BmsWord channel, std::string_view objects)
{
    // A line with more objects than its measure has ticks is dropped.
    if (objects.size() / 2 > static_cast<std::size_t>(document_.measureLength(m).ticks()))
        return true;
    BmsChannel*& line = lineOfChannel_[static_cast<std::size_t>(channel.value())];
    if (!line) {
        if (!budget_.takeLine())
            return false;
        auto created = std::make_unique<BmsChannel>(channel);
        line = created.get();
        document_.insertLine(std::move(created));
        reserveExpected(*line, expectedOnChannel_[static_cast<std::size_t>(channel.value())]);
    }
    return writeObjects(*line, m, objects, false);
}

bool ObjectPlacer::writeObjects(BmsChannel& line, int m, std::string_view objects, bool keepEmpty)
{
    const std::size_t before = line.objectCount();
    line.appendLine(
        document_.measureStart(m), document_.measureLength(m).ticks(), objects, document_.indexBase(), keepEmpty);
    return budget_.takeObjects(line.objectCount() - before);
}

BmsChannel* ObjectPlacer::addLane(BmsWord channel, int lane)
{
    auto line = std::make_unique<BmsChannel>(channel);
    BmsChannel* added = line.get();
    lanes_.push_back(added);
    if (lane == 0)
        document_.insertLine(std::move(line));
    else
        lanes_[static_cast<std::size_t>(lane) - 1]->setChild(line);
    return added;
}

void ObjectPlacer::reserveExpected(BmsChannel& line, std::size_t expected)
{
    // The count is an upper bound ("00" pairs and lines dropped later count too), so
    // storage that cannot be had now is no failure: the line then grows as it fills.
    try {
        line.reserveObjects(std::min(expected, budget_.objectsLeft()));
    } catch (const std::bad_alloc&) {
    }
}
