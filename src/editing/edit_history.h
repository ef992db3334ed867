#pragma once

// The history of the changes made to one chart, so that each can be taken back and made
// again. A step keeps only what it changed: the renumbering that it applied, the
// definition slots whose names it changed, the header values it set and, for a table
// change, the document's small edit state, each before and after. So the memory grows
// with the changes, not with the chart, and undoing a renumbering applies the inverse
// plan through the same path that applied it.

#include <optional>
#include <string>
#include <vector>

#include "editing/index_base_switch.h"
#include "editing/list_exchanger.h"

struct EditStep {
    struct Move {
        BmsWord from;
        BmsWord to;
    };
    struct SlotChange {
        BmsWord index;
        std::optional<std::string> before;
        std::optional<std::string> after;
    };
    struct HeaderChange {
        std::string key;
        std::optional<std::string> before;
        std::optional<std::string> after;
    };

    // The table that the moves and slot changes are of.
    DefinitionKind kind = kKindWav;
    std::vector<Move> moves;
    std::vector<SlotChange> slots;
    std::vector<HeaderChange> headers;
    // The chart's base before and after a switch of base, which changes headers too.
    std::optional<std::pair<IndexBase, IndexBase>> base;
    // How the chart's text relates to the model around a table change, which a
    // renumbering changes: restored as it was, not renumbered back.
    ChartEditState stateBefore;
    ChartEditState stateAfter;

    bool changesTable() const { return !moves.empty() || !slots.empty(); }
    // The rows of the table whose index or name the step changed, ascending.
    std::vector<int> touchedRows(const BmsRegistArray& table) const;
};

class EditHistory {
public:
    // Forgets every step; the chart as it is counts as saved.
    void clear();

    // A change of one table is recorded around the operation: begin notes the names and
    // empties the plan, end records what the names and the plan say has changed. Returns
    // whether there was a change.
    void beginTableChange(BmsBms& document, DefinitionKind kind, ListExchanger& plan);
    bool endTableChange(BmsBms& document, const ListExchanger& plan);
    // A header value set by the user. Changes of the same key in a row are one step,
    // until another step, an undo, a redo or a save comes between.
    void recordHeaderChange(
        const std::string& key, const std::optional<std::string>& before, const std::optional<std::string>& after);
    // Header values set together, as one step of the changes that change something;
    // returns whether there was one.
    bool recordHeaderChanges(std::vector<EditStep::HeaderChange> changes);
    // Switches the chart's base (index_base_switch.h) as one step.
    BaseSwitch switchBase(BmsBms& document, int radix);

    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ < steps_.size(); }
    // Takes the last step back, or makes the next one again, on the document; the step,
    // or null when there is none.
    const EditStep* undo(BmsBms& document, ListExchanger& plan);
    const EditStep* redo(BmsBms& document, ListExchanger& plan);

    // The chart as it is now is the saved one.
    void markSaved();
    // Whether the chart differs from the saved one: undoing back to it clears this.
    bool isModified() const { return position_ != savedPosition_; }
    size_t stepCount() const { return steps_.size(); }

private:
    void push(EditStep step);

    std::vector<EditStep> steps_;
    // The steps before it are applied.
    size_t position_ = 0;
    // The position of the saved chart; none once the steps that led to it are dropped.
    std::optional<size_t> savedPosition_ = 0;
    // Whether typing in the last step's header field may extend it.
    bool headerStepOpen_ = false;
    // The names and the edit state as the table change began.
    std::vector<std::optional<std::string>> namesBefore_;
    ChartEditState stateBefore_;
    DefinitionKind changingKind_ = kKindWav;
};
