#pragma once

// One whole chart in memory: headers, the WAV and BMP definitions, the lengths of
// the 1000 measures and the channel lines. Positions are absolute ticks from the
// start of measure 000. Top-level lines are kept in strictly ascending channel
// order, one per channel; only channel 01 has lanes below its line.

#include <memory>
#include <string_view>

#include "model/bms_bar.h"
#include "model/bms_channel.h"
#include "model/bms_header_hash.h"
#include "model/bms_regist_array.h"
#include "model/chart_edit_state.h"
#include "model/definition_kind.h"

class BmsBms {
public:
    static constexpr int kMeasureCount = 1000;
    // Every stored measure length lies in 0..kMaxMeasureTicks, so that measure starts
    // (at most 1000 * 1,000,000 ticks) and every position stay well inside int.
    static constexpr int kMaxMeasureTicks = 1'000'000;

    BmsBms();
    ~BmsBms();
    BmsBms(const BmsBms&) = delete;
    BmsBms& operator=(const BmsBms&) = delete;

    BmsHeaderHash* headerTable() { return headerTable_.get(); }
    const BmsHeaderHash* headerTable() const { return headerTable_.get(); }
    BmsRegistArray* wavTable() { return tables_.wav.get(); }
    const BmsRegistArray* wavTable() const { return tables_.wav.get(); }
    BmsRegistArray* bmpTable() { return tables_.bmp.get(); }
    const BmsRegistArray* bmpTable() const { return tables_.bmp.get(); }
    BmsRegistArray* table(DefinitionKind kind) { return tables_[kind].get(); }
    const BmsRegistArray* table(DefinitionKind kind) const { return tables_[kind].get(); }
    // The base of every index of the chart, which both tables and the header table carry.
    IndexBase indexBase() const { return tables_.wav->base(); }
    void setIndexBase(IndexBase base)
    {
        tables_.wav->setBase(base);
        tables_.bmp->setBase(base);
        headerTable_->setIndexBase(base);
    }
    BmsChannel* firstLine() { return firstLine_; }
    const BmsChannel* firstLine() const { return firstLine_; }
    int lineCount() const { return lineCount_; }
    // The text the chart was read from and how the edits since relate to it; a value that
    // may be saved and assigned back together with the model.
    ChartEditState& editState() { return editState_; }
    const ChartEditState& editState() const { return editState_; }

    // Length of measure m (0..999); 0 ticks outside that range.
    BmsBar measureLength(int m) const;
    // Stores the length of measure m (clamped to 0..kMaxMeasureTicks) and returns the
    // previous one; outside 0..999 stores nothing and returns 0 ticks.
    BmsBar setMeasureLength(int m, BmsBar bar);
    // Sum of the lengths of measures 0..m-1, for 0 <= m <= 1000.
    int measureStart(int m) const;

    BmsChannel* findLine(BmsWord channel);
    const BmsChannel* findLine(BmsWord channel) const;
    // Links a line into the list in channel order and hands back the line of the same
    // channel that it displaced, if any.
    std::unique_ptr<BmsChannel> insertLine(std::unique_ptr<BmsChannel> line);
    // Destroys every line; returns how many top-level lines there were.
    int clearLines();

    // Highest position holding an object other than "00" on any line or lane; 0 if none.
    int lastObjectPosition() const;
    // The measure containing lastObjectPosition(), at most 999.
    int lastMeasure() const;

    // Merges one data line's objects into the channel's line (every channel but 01);
    // returns the number of characters used, 0 when the text is unusable.
    int placeObjects(int m, BmsWord channel, std::string_view text);
    // Measure m of the channel's top-level line on its coarsest grid, written to out
    // (room for 2 * ticks + 1 characters); returns its length, or -1 without a line.
    int dataText(int m, BmsWord channel, char* out) const;

private:
    std::unique_ptr<BmsHeaderHash> headerTable_;
    PerKind<std::unique_ptr<BmsRegistArray>> tables_;
    int lineCount_ = 0;
    BmsChannel* firstLine_ = nullptr; // owned, with the chain of next links
    ChartEditState editState_;
    BmsBar measures_[kMeasureCount];
    // measureStarts_[m] is the sum of the lengths of measures 0..m-1, kept up to date by
    // setMeasureLength: every data line and every written measure needs its start.
    int measureStarts_[kMeasureCount + 1];
};

// Measure text of any line (a lane included): the objects from start over ticks
// positions on their coarsest grid, written to out (room for 2 * ticks + 1); returns
// the text's length.
int measureDataText(const BmsBuffer& line, int start, int ticks, char* out);
