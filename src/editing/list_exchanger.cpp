#include "editing/list_exchanger.h"

#include <memory>
#include <string>
#include <vector>

#include "editing/index_usage.h"
#include "editing/object_scan.h"
#include "model/definition_kind.h"
#include "model/header_references.h"

namespace {

// Writes the new index over the two characters at offset of text, when the index they
// spell moves; an index that stays keeps its spelling.
bool renumberIndexAt(
    std::string& text, std::size_t offset, const std::array<BmsWord, BmsWord::kValueCount>& renumbered, IndexBase base)
{
    const BmsWord old = base.word(text[offset], text[offset + 1]);
    const BmsWord target = renumbered[old.value()];
    if (target == old)
        return false;
    text[offset] = target.high();
    text[offset + 1] = target.low();
    return true;
}

} // namespace

void ListExchanger::reset(BmsBms* document, DefinitionKind kind)
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
    moveFileNames(*document_->table(kind_));
    const Renumbering renumbered = renumbering();
    renumberObjects(renumbered);
    renumberHeaderReferences(renumbered);
    document_->editState().indices(kind_).renumber(permutation());
}

ListExchanger::Renumbering ListExchanger::renumbering() const
{
    // One lookup per object, whatever the plan's length: unplanned values map to themselves.
    Renumbering renumbered;
    for (int value = 0; value < BmsWord::kValueCount; ++value)
        renumbered[value] = BmsWord(value);
    for (int i = 0; i < count_; ++i)
        renumbered[oldList_[i]] = newIds_[oldList_[i]];
    return renumbered;
}

ListExchanger::Renumbering ListExchanger::permutation() const
{
    Renumbering renumbered = renumbering();
    std::array<bool, BmsWord::kValueCount> taken {};
    for (int i = 0; i < count_; ++i)
        taken[newIds_[oldList_[i]].value()] = true;
    int left = 0;
    for (int value = 0; value < BmsWord::kValueCount; ++value) {
        if (planned_[value] || !taken[value])
            continue;
        while (left < BmsWord::kValueCount && (taken[left] || !planned_[left]))
            ++left;
        if (left == BmsWord::kValueCount)
            break;
        renumbered[value] = BmsWord(left++);
    }
    return renumbered;
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

void ListExchanger::renumberObjects(const Renumbering& renumbered)
{
    forEachObjectOfKind(*document_, kind_, [&renumbered](BmsWord& object) { object = renumbered[object.value()]; });
}

// A value keeps its place in the table; a renamed key (#BGAxx) leaves it for the tail
// of its new bucket, all renamed keys together so that exchanged keys do not collide.
void ListExchanger::renumberHeaderReferences(const Renumbering& renumbered)
{
    BmsHeaderHash& headers = *document_->headerTable();
    std::vector<std::unique_ptr<BmsHeaderOne>> renamed;
    for (const std::string& key : headers.keys()) {
        std::string value = headers.get(key.c_str());
        const HeaderIndexReferences references = headerIndexReferences(key, value);
        if (references.valueNamesIndex[kind_] && renumberIndexAt(value, 0, renumbered, document_->indexBase()))
            headers.replaceValue(key.c_str(), value.c_str());
        std::string newKey = key;
        if (kind_ == kKindBmp && references.definedBmpIndexAt != HeaderIndexReferences::kNone
            && renumberIndexAt(newKey, references.definedBmpIndexAt, renumbered, document_->indexBase())) {
            headers.remove(key.c_str());
            renamed.push_back(std::make_unique<BmsHeaderOne>(newKey.c_str(), value.c_str()));
        }
    }
    for (std::unique_ptr<BmsHeaderOne>& entry : renamed)
        headers.insert(std::move(entry));
}
