#include "editing/edit_history.h"

#include <algorithm>

#include "model/definition_kind.h"

namespace {

std::optional<std::string> slotName(const BmsRegistArray& table, BmsWord index)
{
    if (!table.has(index))
        return std::nullopt;
    return std::string(table.get(index));
}

void setHeader(BmsHeaderHash& headers, const std::string& key, const std::optional<std::string>& value)
{
    if (value)
        headers.set(key.c_str(), value->c_str());
    else
        headers.remove(key.c_str());
}

// Carries the step's renumbering out forwards or backwards, then gives every changed
// slot its name of that side.
void applyStep(const EditStep& step, BmsBms& document, ListExchanger& plan, bool forward)
{
    if (!step.moves.empty()) {
        plan.reset(&document, step.kind);
        for (const EditStep::Move& move : step.moves)
            plan.add(forward ? move.from : move.to, forward ? move.to : move.from);
        plan.apply();
    }
    BmsRegistArray& table = *document.table(step.kind);
    for (const EditStep::SlotChange& slot : step.slots) {
        const std::optional<std::string>& name = forward ? slot.after : slot.before;
        table.set(slot.index, name ? name->c_str() : nullptr);
    }
    for (const EditStep::HeaderChange& header : step.headers)
        setHeader(*document.headerTable(), header.key, forward ? header.after : header.before);
    if (step.base)
        document.setIndexBase(forward ? step.base->second : step.base->first);
    if (step.changesTable())
        document.editState() = forward ? step.stateAfter : step.stateBefore;
}

} // namespace

std::vector<int> EditStep::touchedRows(const BmsRegistArray& table) const
{
    std::vector<int> rows;
    for (const Move& move : moves) {
        rows.push_back(table.rowOf(move.from));
        rows.push_back(table.rowOf(move.to));
    }
    for (const SlotChange& slot : slots)
        rows.push_back(table.rowOf(slot.index));
    // An index that the table's base cannot show has no row.
    std::erase(rows, -1);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void EditHistory::clear()
{
    steps_.clear();
    position_ = 0;
    savedPosition_ = 0;
    headerStepOpen_ = false;
}

void EditHistory::beginTableChange(BmsBms& document, DefinitionKind kind, ListExchanger& plan)
{
    const BmsRegistArray& table = *document.table(kind);
    namesBefore_.resize(BmsRegistArray::kSlotCount);
    for (int value = 0; value < BmsRegistArray::kSlotCount; ++value)
        namesBefore_[value] = slotName(table, BmsWord(value));
    stateBefore_ = document.editState();
    changingKind_ = kind;
    // An operation that renumbers resets the plan itself; one that does not leaves it
    // empty, so that no earlier plan is taken for this change.
    plan.reset(&document, kind);
}

bool EditHistory::endTableChange(BmsBms& document, const ListExchanger& plan)
{
    EditStep step;
    step.kind = changingKind_;
    for (int i = 0; i < plan.size(); ++i) {
        const int from = plan.oldValueAt(i);
        if (plan.targetOf(from).value() != from)
            step.moves.push_back({ BmsWord(from), plan.targetOf(from) });
    }
    const BmsRegistArray& table = *document.table(changingKind_);
    for (int value = 0; value < BmsRegistArray::kSlotCount; ++value) {
        std::optional<std::string> after = slotName(table, BmsWord(value));
        if (after != namesBefore_[value])
            step.slots.push_back({ BmsWord(value), std::move(namesBefore_[value]), std::move(after) });
    }
    namesBefore_.clear();
    if (!step.changesTable())
        return false;
    step.stateBefore = std::move(stateBefore_);
    step.stateAfter = document.editState();
    push(std::move(step));
    return true;
}

void EditHistory::recordHeaderChange(
    const std::string& key, const std::optional<std::string>& before, const std::optional<std::string>& after)
{
    if (before == after)
        return;
    if (headerStepOpen_ && steps_[position_ - 1].headers.front().key == key) {
        EditStep::HeaderChange& change = steps_[position_ - 1].headers.front();
        change.after = after;
        // Typing back to the value before the step leaves nothing to undo.
        if (change.after == change.before) {
            steps_.pop_back();
            --position_;
            headerStepOpen_ = false;
        }
        return;
    }
    EditStep step;
    step.headers.push_back({ key, before, after });
    push(std::move(step));
    headerStepOpen_ = true;
}

bool EditHistory::recordHeaderChanges(std::vector<EditStep::HeaderChange> changes)
{
    EditStep step;
    for (EditStep::HeaderChange& change : changes) {
        if (change.before != change.after)
            step.headers.push_back(std::move(change));
    }
    if (step.headers.empty())
        return false;
    push(std::move(step));
    return true;
}

BaseSwitch EditHistory::switchBase(BmsBms& document, int radix)
{
    BmsHeaderHash& headers = *document.headerTable();
    const std::unique_ptr<BmsHeaderHash> before = headers.clone();
    const IndexBase baseBefore = document.indexBase();
    BaseSwitch result = switchIndexBase(document, radix);
    if (!result.switched)
        return result;
    EditStep step;
    step.base = std::make_pair(baseBefore, document.indexBase());
    const auto valueIn = [](const BmsHeaderHash& table, const std::string& key) -> std::optional<std::string> {
        if (!table.find(key.c_str()))
            return std::nullopt;
        return std::string(table.get(key.c_str()));
    };
    std::vector<std::string> keys = before->keys();
    for (const std::string& key : headers.keys())
        keys.push_back(key);
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    for (const std::string& key : keys) {
        std::optional<std::string> was = valueIn(*before, key);
        std::optional<std::string> now = valueIn(headers, key);
        if (was != now)
            step.headers.push_back({ key, std::move(was), std::move(now) });
    }
    push(std::move(step));
    return result;
}

const EditStep* EditHistory::undo(BmsBms& document, ListExchanger& plan)
{
    headerStepOpen_ = false;
    if (!canUndo())
        return nullptr;
    const EditStep& step = steps_[--position_];
    applyStep(step, document, plan, false);
    return &step;
}

const EditStep* EditHistory::redo(BmsBms& document, ListExchanger& plan)
{
    headerStepOpen_ = false;
    if (!canRedo())
        return nullptr;
    const EditStep& step = steps_[position_++];
    applyStep(step, document, plan, true);
    return &step;
}

void EditHistory::markSaved()
{
    savedPosition_ = position_;
    headerStepOpen_ = false;
}

void EditHistory::push(EditStep step)
{
    // The steps that were undone cannot be redone after a new one.
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(position_), steps_.end());
    if (savedPosition_ && *savedPosition_ > position_)
        savedPosition_.reset();
    steps_.push_back(std::move(step));
    ++position_;
    headerStepOpen_ = false;
}
