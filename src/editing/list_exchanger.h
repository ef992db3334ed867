#pragma once

// The renumbering plan: old index -> new index moves for one table, carried out on
// the table's slots, on every object in the channels of its kind, on the header lines
// that name indices of the table (#LNOBJ; #BGAxx yy and #@BGAxx yy) and on the
// document's record of where the indices of its text stand. One plan serves the whole
// program; every operation resets it first.

#include <array>

#include "model/bms_bms.h"
#include "model/definition_kind.h"

class ListExchanger {
public:
    // Stores document and kind and empties the plan.
    void reset(BmsBms* document, DefinitionKind kind);
    // Plans old -> target; adding an index again replaces its target. "00" is ignored.
    void add(BmsWord old, BmsWord target);
    // Moves the file names, then renumbers every object of the kind's channels up to
    // the chart's last object, and the header references. Each object is replaced at
    // most once, so a -> b with b -> a exchanges them. The plan keeps its contents.
    void apply();

    int size() const { return count_; }
    int oldValueAt(int i) const { return oldList_[i]; }
    BmsWord targetOf(int oldValue) const { return newIds_[oldValue]; }

private:
    using Renumbering = std::array<BmsWord, BmsWord::kValueCount>;

    // The new index of every value: planned ones go to their targets, the others stay.
    Renumbering renumbering() const;
    // The same made one-to-one: an unplanned value whose place a planned one takes goes
    // to a place that the planned values leave. Only the operations' plans reach here,
    // and those displace only values that nothing uses or holds.
    Renumbering permutation() const;
    void moveFileNames(BmsRegistArray& table) const;
    void renumberObjects(const Renumbering& renumbered);
    void renumberHeaderReferences(const Renumbering& renumbered);

    BmsBms* document_ = nullptr;
    DefinitionKind kind_ = kKindWav;
    // Old index values in the order added; slot 00 can never be part of a plan.
    std::array<int, BmsWord::kValueCount> oldList_ {};
    int count_ = 0;
    std::array<BmsWord, BmsWord::kValueCount> newIds_ {};
    // Whether a value stands in the old list, so that adding finds it without a search.
    std::array<bool, BmsWord::kValueCount> planned_ {};
};
