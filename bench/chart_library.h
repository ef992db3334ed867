#pragma once

// A player's chart library on disk for benchmarks: folders of charts of real sizes
// (20 to 400 KB, most near 60 KB) made from the heavy chart's building blocks, some of
// them broken, with most of the sound and image files that they define beside them.
// The same layout always gives the same bytes.

#include <cstdint>
#include <filesystem>

struct ChartLibraryLayout {
    int folders = 100;
    int chartsPerFolder = 37;
};

struct ChartLibraryContent {
    int charts = 0;
    int brokenCharts = 0;
    std::uint64_t chartBytes = 0;
};

ChartLibraryContent writeChartLibrary(const std::filesystem::path& root, const ChartLibraryLayout& layout = {});
