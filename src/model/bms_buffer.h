#pragma once

// The objects of one channel line: only the positions (ticks) that hold an object are
// stored, in ascending order, so that a line takes memory and time in proportion to its
// objects rather than to the song's length. Every other position reads as "00".
//
// An entry takes four bytes: the object and its tick within a block of 65,536 ticks. The
// line keeps, for each block that holds entries, the block's first tick and its first
// entry; a chart of standard measures spans a handful of blocks.
//
// The line also has a capacity, the extent that it has been written to: it grows in
// steps of 3840 positions (ten standard measures) when an object is stored beyond it,
// and a position beyond it stores nothing through exchangeObject.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "model/bms_word.h"
#include "model/index_base.h"

// One stored entry. An entry may come to hold "00" when a scan rewrites objects in
// place; it then reads as an empty position, like any position without an entry.
struct StoredObject {
    std::uint16_t tickInBlock;
    BmsWord object;
};

// An entry with its whole tick, as scans over a line see it.
struct PlacedObject {
    int tick;
    BmsWord object;
};

// The blocks of ticks that hold a line's entries, in ascending order.
struct TickBlock {
    static constexpr int kTickBits = 16;
    static constexpr int kTicks = 1 << kTickBits;

    // The first tick of the block that holds tick.
    static constexpr int firstTickOf(int tick) { return tick & ~(kTicks - 1); }

    int firstTick;
    // The block's entries run from here to the next block's first one.
    std::size_t firstEntry;
};

// A run of a line's entries, each with its whole tick.
class PlacedObjects {
public:
    class Iterator {
    public:
        using value_type = PlacedObject;
        using reference = PlacedObject;
        using pointer = void;
        using difference_type = std::ptrdiff_t;
        using iterator_category = std::input_iterator_tag;

        Iterator() = default;
        PlacedObject operator*() const
        {
            return { block_->firstTick + entries_[at_].tickInBlock, entries_[at_].object };
        }
        Iterator& operator++()
        {
            if (++at_ == blockEnd_)
                enterBlock(block_ + 1);
            return *this;
        }
        Iterator operator++(int)
        {
            Iterator before = *this;
            ++*this;
            return before;
        }
        friend bool operator==(const Iterator& a, const Iterator& b) { return a.at_ == b.at_; }

    private:
        friend class PlacedObjects;
        Iterator(const PlacedObjects& run, std::size_t at, const TickBlock* block);
        void enterBlock(const TickBlock* block);

        const StoredObject* entries_ = nullptr;
        const TickBlock* block_ = nullptr;
        const TickBlock* blocksEnd_ = nullptr;
        std::size_t at_ = 0;
        // Where the block's entries end: the next block's first entry, or past the run.
        std::size_t blockEnd_ = 0;
        std::size_t runEnd_ = 0;
    };

    // The entries first..end-1, the first of them in block firstBlock.
    PlacedObjects(const StoredObject* entries, std::span<const TickBlock> blocks, std::size_t first, std::size_t end,
        std::size_t firstBlock);

    Iterator begin() const;
    Iterator end() const { return Iterator(*this, end_, nullptr); }
    std::size_t size() const { return end_ - first_; }
    bool empty() const { return end_ == first_; }
    PlacedObject front() const { return *begin(); }
    // Calls visit(PlacedObject) for each entry in turn, block by block, until it returns
    // false: a plain loop for the hot scans, without the iterator's test for a new block
    // at every entry.
    template <typename Visit> void forEach(Visit visit) const
    {
        std::size_t at = first_;
        for (std::size_t b = firstBlock_; at < end_; ++b) {
            const std::size_t blockEnd = b + 1 < blocks_.size() ? std::min(end_, blocks_[b + 1].firstEntry) : end_;
            const int firstTick = blocks_[b].firstTick;
            for (; at < blockEnd; ++at) {
                if (!visit(PlacedObject { firstTick + entries_[at].tickInBlock, entries_[at].object }))
                    return;
            }
        }
    }

private:
    const StoredObject* entries_;
    std::span<const TickBlock> blocks_;
    std::size_t first_;
    std::size_t end_;
    std::size_t firstBlock_;
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
        // Inline for the usual case of a chart read: an object after the last one, in
        // the last one's block.
        const bool inOrder = !unsettled_ && (count_ == 0 || lastTick() < tick);
        if (inOrder && count_ != 0 && count_ < storage_ && tick < capacity_ && !id.isEmptyObject()
            && TickBlock::firstTickOf(tick) == blocks_.back().firstTick)
            entries_[count_++] = { static_cast<std::uint16_t>(tick - blocks_.back().firstTick), id };
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
    // The entries in ascending tick order, for scans over whole lines.
    PlacedObjects objects() const { return PlacedObjects(entries_.get(), blocks_, 0, count_, 0); }
    // The same entries without their ticks, for scans that rewrite objects in place.
    std::span<StoredObject> storedObjects() { return { entries_.get(), count_ }; }
    // The entries with from <= tick < to.
    PlacedObjects objectsBetween(int from, int to) const;
    // The tick of the last entry other than "00", or -1 when the line holds none.
    int lastObjectTick() const;

private:
    // Gives the block back to the thread's spare blocks (object_storage.h).
    struct StorageDeleter {
        std::size_t blockBytes = 0;
        void operator()(StoredObject* entries) const;
    };
    using Storage = std::unique_ptr<StoredObject[], StorageDeleter>;
    // Storage for count entries, not initialised.
    static Storage allocateStorage(std::size_t count);

    // The tick of the last entry; only for a line that holds entries in order.
    int lastTick() const { return blocks_.back().firstTick + entries_[count_ - 1].tickInBlock; }
    // Where the entries of block b end.
    std::size_t blockEnd(std::size_t b) const { return b + 1 < blocks_.size() ? blocks_[b + 1].firstEntry : count_; }
    // Index of the first block whose first tick is at or after firstTick.
    std::size_t blockFrom(int firstTick) const;
    // The first entry with a tick at or after tick, and the block that holds it.
    struct EntryPosition {
        std::size_t entry;
        std::size_t block;
    };
    EntryPosition lowerBound(int tick) const;
    // Room for one more entry at the end.
    void makeRoom();
    // Room for extra more blocks without a copy of the records each time.
    void makeBlockRoom(std::size_t extra);
    void appendObjectAnyhow(int tick, BmsWord id, bool inOrder);

    int capacity_ = 0;
    std::size_t count_ = 0;
    std::size_t storage_ = 0;
    // Set when appendObject wrote a tick at or before the last one. Until the line is
    // settled, its blocks are runs of entries written in turn, each within one block.
    bool unsettled_ = false;
    Storage entries_;
    std::vector<TickBlock> blocks_;
};
