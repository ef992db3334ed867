#pragma once

// The charts that the command line names: a file is taken as it is, a folder is walked
// for the charts in it and below it (.bms, .bme, .bml and .pms in any letter case),
// in the order of their paths. A folder that cannot be read, a link that leads back up
// the tree, a folder with no chart and a name that cannot be opened become items with
// a problem, so that the work goes on and the problem is reported in its place.

#include <string>
#include <string_view>
#include <vector>

struct ChartItem {
    std::string path;
    // Why the path gives no chart to read; empty for a chart.
    std::string problem;
};

struct ChartList {
    std::vector<ChartItem> items;
    // Whether any argument was a folder.
    bool walkedFolders = false;
};

ChartList listCharts(const std::vector<std::string>& arguments);
