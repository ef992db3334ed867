#pragma once

// Reading charts from text in the reader tests.

#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "bms/bms_reader.h"
#include "bms/parse_result.h"

namespace reader_test {

// The result code and line that a read left.
struct ReadFailure {
    int code;
    int line;
    bool operator==(const ReadFailure&) const = default;
};
std::ostream& operator<<(std::ostream& out, const ReadFailure& failure);

struct ReadOutcome {
    bool ok = false;
    std::unique_ptr<BmsBms> document;
    std::vector<std::string> notices;
};

// Reads text with a reader whose notices are collected; budget 0 keeps the default.
ReadOutcome readChartText(std::string_view text, std::size_t storageBudget = 0);
// The document read from text; a failed read is reported, and gives an empty document.
std::unique_ptr<BmsBms> readChart(std::string_view text);
// The code and line after reading text (code 0 when it reads).
ReadFailure readFailure(std::string_view text, std::size_t storageBudget = 0);

// The object at tick on lane `lane` of the channel (lane 0 is the top-level line),
// or "??" when there is no such line.
std::string objectAt(const BmsBms& document, const char* channel, int tick, int lane = 0);
// How many lines the channel has: its top-level line and the lanes below it.
int laneCount(const BmsBms& document, const char* channel);

} // namespace reader_test
