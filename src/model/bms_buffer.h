#pragma once

// A growable array of objects, one BmsWord per tick. A position at or beyond the
// capacity reads as "00". The capacity grows in steps of 3840 positions (ten
// standard measures); the storage behind it may be reserved ahead of time so that
// growing a long line does not copy it again and again.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "model/bms_word.h"

class BmsBuffer {
public:
    static constexpr int kGrowthStep = 3840;

    // The growth rule, in one place because the reader's storage budget counts a line's
    // storage by it ahead of the growth. positions (>= 0) rounded up to whole steps:
    static constexpr std::int64_t roundUpToGrowthStep(std::int64_t positions)
    {
        return (positions + kGrowthStep - 1) / kGrowthStep * kGrowthStep;
    }
    // The capacity that a buffer of the given capacity has once position exists: it
    // grows by whole steps until it passes position.
    static constexpr std::int64_t capacityHolding(std::int64_t capacity, std::int64_t position)
    {
        return capacity + roundUpToGrowthStep(std::max<std::int64_t>(position - capacity + 1, 0));
    }

    explicit BmsBuffer(int capacity);
    BmsBuffer(const BmsBuffer&) = delete;
    BmsBuffer& operator=(const BmsBuffer&) = delete;

    int capacity() const { return capacity_; }
    BmsWord objectAt(int i) const { return (i >= 0 && i < capacity_) ? objects_[i] : BmsWord(); }
    // Stores id at i and returns the previous object; beyond the capacity stores
    // nothing and returns "00".
    BmsWord exchangeObject(int i, BmsWord id);
    // Makes position i exist (capacity + 3840 until it exceeds i); returns the capacity.
    // Throws std::bad_alloc when the storage cannot be had.
    int reserve(int i);
    BmsWord setObject(int i, BmsWord id);

    // Allocates storage for at least positions objects without changing the capacity.
    void reserveStorage(int positions);

    // Direct access to the capacity() objects, for scans over whole lines.
    const BmsWord* objects() const { return objects_.get(); }
    BmsWord* objects() { return objects_.get(); }

private:
    int capacity_ = 0;
    int storage_ = 0;
    // Gives the block back to the thread's spare blocks (object_storage.h).
    struct StorageDeleter {
        std::size_t blockBytes = 0;
        void operator()(BmsWord* objects) const;
    };
    using Storage = std::unique_ptr<BmsWord[], StorageDeleter>;
    // Storage for positions objects, not initialised.
    static Storage allocateStorage(int positions);

    // Positions from capacity_ to storage_ are not initialised: each is set to "00" when
    // the capacity grows over it, so that the storage is touched once, right before use.
    Storage objects_;
};
