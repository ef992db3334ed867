#pragma once

// The objects of one channel line: only the positions (ticks) that hold an object are
// stored, in ascending order, so that a line takes memory and time in proportion to its
// objects rather than to the song's length. Every other position reads as "00".
//
// The line also has a capacity, the extent that it has been written to: it grows in
// steps of 3840 positions (ten standard measures) when an object is stored beyond it,
// and a position beyond it stores nothing through exchangeObject.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "model/bms_word.h"
#include "model/index_base.h"

// One stored object. An entry may come to hold "00" when a scan rewrites objects in
// place; it then reads as an empty position, like any position without an entry.
struct PlacedObject {
    int tick;
    BmsWord object;
};

class BmsBuffer {
public:
    static constexpr int kGrowthStep = 3840;

    // positions (>= 0) rounded up to whole steps.
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
    BmsWord objectAt(int i) const;
    // Stores id at i and returns the previous object; beyond the capacity stores
    // nothing and returns "00". Storing "00" removes the position's entry.
    BmsWord exchangeObject(int i, BmsWord id);
    // Makes position i exist (capacity + 3840 until it exceeds i); returns the capacity.
    // Throws std::bad_alloc when i lies beyond what an int position can hold.
    int reserve(int i);
    BmsWord setObject(int i, BmsWord id);

    // The reader's way in: stores id at tick like setObject, but in any order of
    // ticks and in constant time. A later write to a tick wins; "00" grows nothing and
    // only clears what an earlier write stored there. Until settleObjects(), nothing
    // else may be asked of the line.
    void appendObject(int tick, BmsWord id)
    {
        // Inline for the usual case of a chart read: an object after the last one.
        const bool inOrder = !unsettled_ && (count_ == 0 || entries_[count_ - 1].tick < tick);
        if (inOrder && count_ < storage_ && tick < capacity_ && !id.isEmptyObject())
            entries_[count_++] = { tick, id };
        else
            appendObjectAnyhow(tick, id, inOrder);
    }
    // The reader's way in for a whole data line: appendObject for each of its pairs in
    // turn, at the ticks that forEachObjectTick (object_ticks.h) gives objects spread
    // from start over ticks, each pair read in the chart's base; a "00" pair is written
    // only with keepEmpty.
    void appendLine(int start, int ticks, std::string_view pairs, IndexBase base, bool keepEmpty);
    // Puts the objects written by appendObject in tick order.
    void settleObjects();
    // Room for count entries in all, taken at once: a line that knows how many objects
    // its text holds then grows by no copies, and touches no memory it never fills.
    void reserveObjects(std::size_t count);

    // How many entries the line holds (after settleObjects, at most one per tick).
    std::size_t objectCount() const { return count_; }
    // The entries in ascending tick order, for scans over whole lines. Through the
    // mutable one a scan may rewrite objects, never ticks.
    std::span<const PlacedObject> objects() const { return { entries_.get(), count_ }; }
    std::span<PlacedObject> objects() { return { entries_.get(), count_ }; }
    // The entries with from <= tick < to.
    std::span<const PlacedObject> objectsBetween(int from, int to) const;

private:
    // Gives the block back to the thread's spare blocks (object_storage.h).
    struct StorageDeleter {
        std::size_t blockBytes = 0;
        void operator()(PlacedObject* entries) const;
    };
    using Storage = std::unique_ptr<PlacedObject[], StorageDeleter>;
    // Storage for count entries, not initialised.
    static Storage allocateStorage(std::size_t count);

    // Index of the first entry with a tick at or after tick.
    std::size_t lowerBound(int tick) const;
    // Room for one more entry at the end.
    void makeRoom();
    void appendObjectAnyhow(int tick, BmsWord id, bool inOrder);

    int capacity_ = 0;
    std::size_t count_ = 0;
    std::size_t storage_ = 0;
    // Set when appendObject wrote a tick at or before the last one.
    bool unsettled_ = false;
    Storage entries_;
};
