#pragma once

// Puts the objects of one read's data lines into the document's channel lines, within
// the read's storage budget. Channel-01 lines are never merged: the n-th line of a
// measure goes into lane n. Every other channel merges its lines into one. What the
// first pass learns about where each line's data ends lets a new line get its storage
// at once (line_reservation_plan.h), so that a long line is not copied as it grows.

#include <array>
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "bms/line_reservation_plan.h"
#include "bms/storage_budget.h"
#include "model/bms_bms.h"

class ObjectPlacer {
public:
    // document outlives the placer; storageBudget bounds the storage of all its lines.
    ObjectPlacer(BmsBms& document, std::size_t storageBudget);

    // First pass: a data line of the channel (any channel but 02) in measure m, 0..999.
    void noteDataLine(int m, BmsWord channel) { plan_.noteDataLine(m, channel); }
    // Called once between the passes.
    void finishPlan() { plan_.finish(); }

    // Second pass: places the objects of a data line of the channel in measure m (pairs
    // of alphanumerics, at least one). False, placing nothing more, when the storage of
    // the lines would pass the budget.
    bool place(int m, BmsWord channel, std::string_view objects);

private:
    bool placeOnLane(int m, BmsWord channel, std::string_view objects);
    bool placeOnChannelLine(int m, BmsWord channel, std::string_view objects);
    std::unique_ptr<BmsChannel> newLine(BmsWord channel, int lastMeasure);
    BmsChannel* addLane(BmsWord channel, int lane);
    BmsChannel* addChannelLine(BmsWord channel);

    BmsBms& document_;
    StorageBudget budget_;
    LineReservationPlan plan_;
    // How many channel-01 lines of each measure have been placed.
    std::array<int, BmsBms::kMeasureCount> laneCounters_ = {};
    // Lane k of channel 01 (lane 0 is the top-level line), and the top-level line of
    // every other channel: the document's own lookups walk lists.
    std::vector<BmsChannel*> lanes_;
    std::array<BmsChannel*, BmsWord::kValueCount> lineOfChannel_ = {};
};
