#pragma once

// The charts and edits that the tests over every chart share: every chart of the examples
// and the tests, and one edit of each editing operation.

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "editing/list_exchanger.h"
#include "editing/recording_page.h"

// Every chart file of the examples and the tests (some do not read).
std::vector<std::filesystem::path> everyTestChart();

// The chart at path, or none when it does not read.
std::unique_ptr<BmsBms> readChartFile(const std::filesystem::path& path);

struct ChartEdit {
    const char* name;
    std::function<void(RecordingPage& page, ListExchanger& plan)> run;
    // Whether the chart plays the same afterwards: removing a definition silences it.
    bool keepsPlay;
};

const std::vector<ChartEdit>& everyChartEdit();
