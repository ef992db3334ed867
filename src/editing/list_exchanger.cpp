#include "editing/list_exchanger.h"

#include <memory>
#include <vector>

#include "editing/definition_kind.h"
#include "editing/object_scan.h"

void ListExchanger::reset(BmsBms* document, int kind)
{
    document_ = document;
    kind_ = kind;
    for (int i = 0; i < count_; ++i)
        planned_[oldList_[i]] = false;
    count_ = 0;
}

void ListExchanger::add(BmsWord old, BmsWord target)
{
    const int oldValue = old.value();
    // 00 is the empty object: it never stands for a definition that could move.
    if (oldValue == 0)
        return;
    if (!planned_[oldValue]) {
        planned_[oldValue] = true;
        oldList_[count_++] = oldValue;
    }
    newIds_[oldValue] = target;
}

void ListExchanger::apply()
{
    if (!document_ || count_ == 0)
        return;
    moveFileNames(*tableOfKind(*document_, kind_));
    renumberObjects();
}

void ListExchanger::moveFileNames(BmsRegistArray& table) const
{
    // Every moving name leaves its slot before any arrives, so a -> b with b -> a exchanges
    // them. A name still standing in a target outside the plan is released by adopt.
    std::vector<std::unique_ptr<char[]>> moving(count_);
    for (int i = 0; i < count_; ++i)
        moving[i] = table.detach(BmsWord(oldList_[i]));
    for (int i = 0; i < count_; ++i)
        table.adopt(newIds_[oldList_[i]], std::move(moving[i]));
}

void ListExchanger::renumberObjects()
{
    // One lookup per object, whatever the plan's length: unplanned values map to themselves.
    std::array<BmsWord, BmsWord::kValueCount> renumbered;
    for (int value = 0; value < BmsWord::kValueCount; ++value)
        renumbered[value] = BmsWord(value);
    for (int i = 0; i < count_; ++i)
        renumbered[oldList_[i]] = newIds_[oldList_[i]];
    forEachObjectOfKind(*document_, kind_, [&renumbered](BmsWord& object) { object = renumbered[object.value()]; });
}
