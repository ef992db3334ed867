#pragma once

// What the first pass learns about where each line's data ends, so that the second
// pass can give a new line its storage at once instead of copying it as it grows.
// Lane k of channel 01 has data in measure m when m has more than k channel-01 lines.

#include <array>
#include <cstdint>
#include <vector>

#include "model/bms_bms.h"
#include "model/bms_word.h"

class LineReservationPlan {
public:
    LineReservationPlan();

    // A data line of the channel (any channel but 02) in measure m, 0..999.
    void noteDataLine(int m, BmsWord channel);
    // Called once after the first pass, before any of the lookups below.
    void finish();

    // The last measure with data of the channel's line (channel 01: lane 0), or -1.
    int lastMeasureOfChannel(BmsWord channel) const;
    int lastMeasureOfLane(int lane) const;

private:
    std::array<std::int16_t, BmsWord::kValueCount> lastMeasureOfChannel_;
    std::array<int, BmsBms::kMeasureCount> laneLinesOfMeasure_ = {};
    std::vector<int> lastMeasureOfLane_;
};
