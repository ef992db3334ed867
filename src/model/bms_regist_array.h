#pragma once

// The definitions of one kind (WAV or BMP): file-name slots indexed by the value of a
// BmsWord, and the chart's index base, whose rows (1,296 or 3,844) the lists show. A
// slot holding "" counts as used; used means non-null.

#include <array>
#include <memory>
#include <string>

#include "model/bms_word.h"
#include "model/index_base.h"

class BmsRegistArray {
public:
    static constexpr int kSlotCount = BmsWord::kValueCount;

    // The name is upper-cased; null counts as "".
    explicit BmsRegistArray(const char* name);

    BmsRegistArray(const BmsRegistArray&) = delete;
    BmsRegistArray& operator=(const BmsRegistArray&) = delete;

    const char* name() const { return name_.get(); }
    IndexBase base() const { return base_; }
    void setBase(IndexBase base) { base_ = base; }
    // The rows of the chart's base: how many, the index of each, the row of an index.
    int rowCount() const { return base_.rowCount(); }
    BmsWord wordAt(int row) const { return base_.wordAt(row); }
    int rowOf(BmsWord id) const { return base_.rowOf(id); }
    bool hasRow(int row) const { return has(wordAt(row)); }

    // Stores a copy of text (null empties the slot); true when the slot held a text.
    bool set(BmsWord id, const char* text);
    // Like set, but the slot takes ownership of text itself.
    bool adopt(BmsWord id, std::unique_ptr<char[]> text);
    bool has(BmsWord id) const { return hasValue(id.value()); }
    // has() for the word of value (0..kSlotCount-1), for scans over every slot.
    bool hasValue(int value) const { return slots_[value] != nullptr; }
    bool isFree(BmsWord id) const { return !has(id); }
    // The slot's text, or "" for an empty slot; valid until the slot changes.
    const char* get(BmsWord id) const;
    // Empties the slot and hands its text (or null) to the caller.
    std::unique_ptr<char[]> detach(BmsWord id);
    bool remove(BmsWord id);
    // Empties every slot; returns how many held a text.
    int clear();
    // Moves the text of the lowest used slot out: false when the table is empty,
    // leaving id and text untouched.
    bool takeFirst(BmsWord& id, std::string& text);
    // True when the header key names a definition of this kind (WAVxx for "WAV").
    bool matchesKey(const char* key) const;
    std::unique_ptr<BmsRegistArray> clone() const;

private:
    std::unique_ptr<char[]> name_;
    IndexBase base_;
    std::array<std::unique_ptr<char[]>, kSlotCount> slots_;
};
