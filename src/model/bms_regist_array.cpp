#include "model/bms_regist_array.h"

#include <cstring>

#include "model/ascii_chars.h"
#include "model/helpers.h"

BmsRegistArray::BmsRegistArray(const char* name)
    : name_(duplicateText(textOrEmpty(name), true))
{
}

bool BmsRegistArray::set(BmsWord id, const char* text)
{
    return adopt(id, duplicateText(text, false));
}

bool BmsRegistArray::adopt(BmsWord id, std::unique_ptr<char[]> text)
{
    auto& slot = slots_[id.value()];
    bool wasUsed = slot != nullptr;
    slot = std::move(text);
    return wasUsed;
}

const char* BmsRegistArray::get(BmsWord id) const
{
    return textOrEmpty(slots_[id.value()].get());
}

std::unique_ptr<char[]> BmsRegistArray::detach(BmsWord id)
{
    return std::move(slots_[id.value()]);
}

bool BmsRegistArray::remove(BmsWord id)
{
    return detach(id) != nullptr;
}

int BmsRegistArray::clear()
{
    int released = 0;
    for (auto& slot : slots_) {
        if (slot) {
            slot.reset();
            ++released;
        }
    }
    return released;
}

bool BmsRegistArray::takeFirst(BmsWord& id, std::string& text)
{
    for (int index = 0; index < kSlotCount; ++index) {
        if (slots_[index]) {
            // The text is copied before the slot is emptied, so a failed copy loses nothing.
            text = slots_[index].get();
            slots_[index].reset();
            id.setValue(index);
            return true;
        }
    }
    return false;
}

bool BmsRegistArray::matchesKey(const char* key) const
{
    if (!key)
        return false;
    size_t nameLength = std::strlen(name_.get());
    // The name in any case, then two index characters, then the end of the key word.
    for (size_t i = 0; i < nameLength; ++i) {
        if (!key[i] || asciiUpperCase(key[i]) != name_[i])
            return false;
    }
    const char* index = key + nameLength;
    if (!isAsciiAlphanumeric(index[0]) || !isAsciiAlphanumeric(index[1]))
        return false;
    return index[2] == '\0' || index[2] == ' ' || index[2] == '\t';
}

std::unique_ptr<BmsRegistArray> BmsRegistArray::clone() const
{
    auto copy = std::make_unique<BmsRegistArray>(name_.get());
    copy->base_ = base_;
    for (int index = 0; index < kSlotCount; ++index)
        copy->slots_[index] = duplicateText(slots_[index].get(), false);
    return copy;
}
