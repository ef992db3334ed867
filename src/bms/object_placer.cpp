#include "bms/object_placer.h"

#include <algorithm>
#include <cstdint>

#include "model/bms_buffer.h"
#include "model/object_ticks.h"

namespace {

BmsWord objectAt(std::string_view objects, std::size_t j)
{
    return BmsWord(objects[2 * j], objects[2 * j + 1]);
}

} // namespace

ObjectPlacer::ObjectPlacer(BmsBms& document, std::size_t storageBudget)
    : document_(document)
    , budget_(storageBudget)
{
}

bool ObjectPlacer::place(int m, BmsWord channel, std::string_view objects)
{
    return channel.equalsChars('0', '1') ? placeOnLane(m, channel, objects) : placeOnChannelLine(m, channel, objects);
}

// Every object of a lane is written, "00" included.
bool ObjectPlacer::placeOnLane(int m, BmsWord channel, std::string_view objects)
{
    const int lane = laneCounters_[static_cast<std::size_t>(m)]++;
    BmsChannel* line = lane < static_cast<int>(lanes_.size()) ? lanes_[static_cast<std::size_t>(lane)] : nullptr;
    if (!line) {
        if (!budget_.takeCapacity(BmsBuffer::kGrowthStep))
            return false;
        line = addLane(channel, lane);
    }
    // The ticks only grow, so the line grows at most once per step; between steps the
    // objects go straight into its storage.
    bool withinBudget = true;
    BmsWord* stored = line->objects();
    forEachObjectTick(document_.measureStart(m), document_.measureLength(m).ticks(), objects.size() / 2,
        [&](std::size_t j, int tick) {
            if (tick >= line->capacity()) {
                // Beyond the capacity every position reads "00" already: an empty object
                // there must not grow the lane (a saved chart writes every lane in every
                // measure, and would otherwise need far more storage when read again).
                if (objectAt(objects, j).isEmptyObject())
                    return true;
                const std::int64_t growth = BmsBuffer::capacityHolding(line->capacity(), tick) - line->capacity();
                withinBudget = budget_.takeCapacity(growth);
                if (!withinBudget)
                    return false;
                line->reserve(tick);
                stored = line->objects();
            }
            stored[tick] = objectAt(objects, j);
            return true;
        });
    return withinBudget;
}

// The document merges the line into the channel's line; the budget takes what that
// line will grow by first.
bool ObjectPlacer::placeOnChannelLine(int m, BmsWord channel, std::string_view objects)
{
    const int start = document_.measureStart(m);
    const int ticks = document_.measureLength(m).ticks();
    const std::size_t objectCount = objects.size() / 2;
    // The document drops a line with more objects than its measure has ticks.
    if (objectCount > static_cast<std::size_t>(ticks))
        return true;

    BmsChannel*& line = lineOfChannel_[static_cast<std::size_t>(channel.value())];
    const std::int64_t capacity = line ? line->capacity() : 0;
    std::int64_t needed = line ? capacity : BmsBuffer::kGrowthStep;
    if (start + ticks > needed) {
        // The line may grow: find the last tick that really gets an object.
        int lastTick = -1;
        forEachObjectTick(start, ticks, objectCount, [&](std::size_t j, int tick) {
            if (!objectAt(objects, j).isEmptyObject())
                lastTick = tick;
            return true;
        });
        if (lastTick >= 0)
            needed = BmsBuffer::capacityHolding(needed, lastTick);
    }
    if (!budget_.takeCapacity(needed - capacity))
        return false;
    if (!line)
        line = addChannelLine(channel);
    document_.placeObjects(m, channel, objects);
    return true;
}

// A new line gets the storage that its data will need up to its last measure (at most
// ten standard measures into that one), while such reservations fit in the budget.
std::unique_ptr<BmsChannel> ObjectPlacer::newLine(BmsWord channel, int lastMeasure)
{
    auto line = std::make_unique<BmsChannel>(channel);
    if (lastMeasure < 0)
        return line;
    const std::int64_t end = static_cast<std::int64_t>(document_.measureStart(lastMeasure))
        + std::min(document_.measureLength(lastMeasure).ticks(), BmsBuffer::kGrowthStep);
    const std::int64_t positions = BmsBuffer::roundUpToGrowthStep(end);
    if (positions > line->capacity() && budget_.takeReservation(positions))
        line->reserveStorage(static_cast<int>(positions));
    return line;
}

BmsChannel* ObjectPlacer::addLane(BmsWord channel, int lane)
{
    std::unique_ptr<BmsChannel> line = newLine(channel, plan_.lastMeasureOfLane(lane));
    BmsChannel* added = line.get();
    lanes_.push_back(added);
    if (lane == 0)
        document_.insertLine(std::move(line));
    else
        lanes_[static_cast<std::size_t>(lane) - 1]->setChild(line);
    return added;
}

BmsChannel* ObjectPlacer::addChannelLine(BmsWord channel)
{
    std::unique_ptr<BmsChannel> line = newLine(channel, plan_.lastMeasureOfChannel(channel));
    BmsChannel* added = line.get();
    document_.insertLine(std::move(line));
    return added;
}
