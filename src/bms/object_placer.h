#pragma once

// Puts the objects of one read's data lines into the document's channel lines, within
// the read's storage budget. Channel-01 lines are never merged: the n-th line of a
// measure goes into lane n. Every other channel merges its lines into one. The objects
// go in in the order of the file, which need not be the order of the ticks; finish()
// puts each line in order once every data line is placed. A line told beforehand how
// many objects its data lines hold at most takes its storage once, at that size.

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

#include "bms/storage_budget.h"
#include "model/bms_bms.h"

class ObjectPlacer {
public:
    // document outlives the placer; storageBudget bounds the storage of all its lines.
    ObjectPlacer(BmsBms& document, std::size_t storageBudget);

    // Before any place(): a data line of the channel in measure m holds at most pairs
    // objects. The n-th channel-01 line of a measure counts for lane n, as place() has it.
    void expect(int m, BmsWord channel, std::size_t pairs);
    // Places the objects of a data line of the channel (any channel but 02) in measure
    // m, 0..999 (pairs of alphanumerics, at least one). False, placing nothing more,
    // when the storage of the lines would pass the budget.
    bool place(int m, BmsWord channel, std::string_view objects);
    // Called once after the last data line, before the document is used.
    void finish();

private:
    bool placeOnLane(int m, BmsWord channel, std::string_view objects);
    bool placeOnChannelLine(int m, BmsWord channel, std::string_view objects);
    // Writes the objects of a data line of measure m on line; "00" is written only
    // where keepEmpty says so. False when the budget cannot take the line's new objects.
    bool writeObjects(BmsChannel& line, int m, std::string_view objects, bool keepEmpty);
    BmsChannel* addLane(BmsWord channel, int lane);
    // Takes the storage that expect() found for a new line, as far as the budget goes.
    void reserveExpected(BmsChannel& line, std::size_t expected);

    BmsBms& document_;
    StorageBudget budget_;
    // How many channel-01 lines of each measure have been placed.
    std::array<int, BmsBms::kMeasureCount> laneCounters_ = {};
    // Lane k of channel 01 (lane 0 is the top-level line), and the top-level line of
    // every other channel: the document's own lookups walk lists.
    std::vector<BmsChannel*> lanes_;
    std::array<BmsChannel*, BmsWord::kValueCount> lineOfChannel_ = {};
    // What expect() was told: objects at most per lane of channel 01 and per channel,
    // with the channel-01 lines counted so far in each measure.
    std::array<int, BmsBms::kMeasureCount> expectedLaneCounters_ = {};
    std::vector<std::size_t> expectedOnLane_;
    std::array<std::size_t, BmsWord::kValueCount> expectedOnChannel_ = {};
};
