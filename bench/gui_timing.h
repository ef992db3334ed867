#pragma once

// Timing of window work for the GUI benchmarks: a step counts until the windows have
// painted what it invalidated; the figures are printed as median, min and max.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "gui/window/win32.h"

// Lets the windows paint what the last step invalidated.
inline void paintPending()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

template <typename Step> double milliseconds(Step step)
{
    const auto start = std::chrono::steady_clock::now();
    step();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// The step, then painting, timed together.
template <typename Step> double paintedMilliseconds(Step step)
{
    return milliseconds([&] {
        step();
        paintPending();
    });
}

inline void report(const char* what, std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    std::printf("%-60s median %8.2f ms   min %8.2f ms   max %8.2f ms\n", what, times[times.size() / 2], times.front(),
        times.back());
}
