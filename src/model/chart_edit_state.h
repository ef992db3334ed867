#pragma once

// How a chart has been edited since its text was read or saved: the text itself (shared,
// never changed) and, per definition table, where each index of that text stands now.
// Definition names and header values need no record: a save compares the model with the
// text. The state is a small value; an undo step saves and restores it with the model.

#include <array>
#include <cstdint>
#include <memory>

#include "model/bms_word.h"
#include "model/chart_source.h"
#include "model/definition_kind.h"

// Original index value -> current index, a permutation of 0..1295.
class IndexMapping {
public:
    IndexMapping();

    BmsWord current(int original) const { return BmsWord(static_cast<int>(currentOf_[original])); }
    int currentValue(int original) const { return currentOf_[original]; }
    bool isIdentity() const;
    // Follows a renumbering that sends every current value v to renumbered[v] (a permutation).
    void renumber(const std::array<BmsWord, BmsWord::kValueCount>& renumbered);
    // The original value of each current value.
    std::array<std::uint16_t, BmsWord::kValueCount> inverse() const;

    bool operator==(const IndexMapping&) const = default;

private:
    std::array<std::uint16_t, BmsWord::kValueCount> currentOf_;
};

class ChartEditState {
public:
    // A chart with no text of its own (a new one).
    ChartEditState() = default;
    explicit ChartEditState(std::shared_ptr<const ChartSource> source);

    const ChartSource* source() const { return source_.get(); }
    IndexMapping& indices(DefinitionKind kind) { return indices_[kind]; }
    const IndexMapping& indices(DefinitionKind kind) const { return indices_[kind]; }

private:
    std::shared_ptr<const ChartSource> source_;
    PerKind<IndexMapping> indices_;
};
