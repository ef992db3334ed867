#pragma once

// Where the objects of one data line land: k objects share the measure's ticks
// evenly, object j at start plus the step added j times (never multiplied, which
// fixes the rounding), truncated toward zero, as long as that stays inside the
// measure. visit(j, tick) returns false to stop early. Returns how many objects were
// visited, the one that stopped the walk included. start + ticks stays inside int: the
// document bounds every measure start and length (BmsBms::kMaxMeasureTicks).

#include <cstddef>
#include <string_view>

template <typename Visit> std::size_t forEachObjectTick(int start, int ticks, std::size_t objectCount, Visit visit)
{
    if (objectCount > 0 && ticks > 0 && static_cast<std::size_t>(ticks) % objectCount == 0) {
        // A whole step: the sums below are exact, and plain integers give the same ticks.
        const int wholeStep = ticks / static_cast<int>(objectCount);
        std::size_t visited = 0;
        for (int tick = start; visited < objectCount; tick += wholeStep) {
            ++visited;
            if (!visit(visited - 1, tick))
                break;
        }
        return visited;
    }
    const int end = start + ticks;
    const double step = static_cast<double>(ticks) / static_cast<double>(objectCount);
    double position = start;
    std::size_t visited = 0;
    while (position < end) {
        const bool goOn = visit(visited, static_cast<int>(position));
        ++visited;
        if (!goOn || visited == objectCount)
            break;
        position += step;
    }
    return visited;
}

// Whether every object other than "00" of a data line keeps its exact place when placed
// as above: slot j of k lies at start + j * ticks / k, which must be a whole tick, and
// must be where the placement puts it. With more objects than ticks, objects would share
// ticks (and a channel other than 01 drops the whole line), so that fails as soon as the
// line holds any object. objects holds k pairs of characters.
inline bool placesObjectsExactly(int start, int ticks, std::string_view objects)
{
    const std::size_t objectCount = objects.size() / 2;
    const auto isObject = [&objects](std::size_t j) { return objects[2 * j] != '0' || objects[2 * j + 1] != '0'; };
    if (ticks > 0 && static_cast<std::size_t>(ticks) % objectCount == 0)
        return true; // a whole step: every slot is a tick, and the sums stay exact
    std::size_t firstObject = 0;
    while (firstObject < objectCount && !isObject(firstObject))
        ++firstObject;
    if (firstObject == objectCount)
        return true;
    if (objectCount > static_cast<std::size_t>(ticks))
        return false;
    bool exact = true;
    const std::size_t visited = forEachObjectTick(start, ticks, objectCount, [&](std::size_t j, int tick) {
        if (!isObject(j))
            return true;
        const long long slot = static_cast<long long>(j) * ticks;
        exact = slot % static_cast<long long>(objectCount) == 0
            && tick == start + slot / static_cast<long long>(objectCount);
        return exact;
    });
    for (std::size_t j = visited; exact && j < objectCount; ++j)
        exact = !isObject(j);
    return exact;
}
