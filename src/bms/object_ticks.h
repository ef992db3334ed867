#pragma once

// Where the objects of one data line land: k objects share the measure's ticks
// evenly, object j at start plus the step added j times (never multiplied, which
// fixes the rounding), truncated toward zero, as long as that stays inside the
// measure. visit(j, tick) returns false to stop early.

#include <cstddef>

template <typename Visit> void forEachObjectTick(int start, int ticks, std::size_t objectCount, Visit visit)
{
    const int end = start + ticks;
    const double step = static_cast<double>(ticks) / static_cast<double>(objectCount);
    double position = start;
    for (std::size_t j = 0; position < end; ++j) {
        if (!visit(j, static_cast<int>(position)) || j + 1 == objectCount)
            return;
        position += step;
    }
}
