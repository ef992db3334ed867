#include "model/bms_buffer.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <new>
#include <type_traits>

#include "model/object_storage.h"
#include "model/object_ticks.h"

namespace {

// Positions are int: a size that int cannot hold is storage that cannot be had.
int checkedPositions(std::int64_t positions)
{
    if (positions > INT_MAX)
        throw std::bad_alloc();
    return static_cast<int>(positions);
}

// A line's first block: most lines of a chart hold a few dozen objects at least.
constexpr std::size_t kFirstBlockEntries = 32;

std::uint16_t tickInBlock(int tick, int firstTick)
{
    return static_cast<std::uint16_t>(tick - firstTick);
}

} // namespace

PlacedObjects::PlacedObjects(const StoredObject* entries, std::span<const TickBlock> blocks, std::size_t first,
    std::size_t end, std::size_t firstBlock)
    : entries_(entries)
    , blocks_(blocks)
    , first_(first)
    , end_(end)
    , firstBlock_(firstBlock)
{
}

PlacedObjects::Iterator PlacedObjects::begin() const
{
    return empty() ? end() : Iterator(*this, first_, blocks_.data() + firstBlock_);
}

PlacedObjects::Iterator::Iterator(const PlacedObjects& run, std::size_t at, const TickBlock* block)
    : entries_(run.entries_)
    , blocksEnd_(run.blocks_.data() + run.blocks_.size())
    , at_(at)
    , runEnd_(run.end_)
{
    if (block)
        enterBlock(block);
}

void PlacedObjects::Iterator::enterBlock(const TickBlock* block)
{
    block_ = block;
    blockEnd_ = block + 1 < blocksEnd_ ? block[1].firstEntry : runEnd_;
}

BmsBuffer::BmsBuffer(int capacity)
    : capacity_(std::max(capacity, 0))
    , entries_(nullptr, StorageDeleter {})
{
}

// StoredObject is trivially copyable with a trivial destructor, so entries may live in
// raw storage and be moved byte-wise.
static_assert(std::is_trivially_copyable_v<StoredObject> && std::is_trivially_destructible_v<StoredObject>);
static_assert(sizeof(StoredObject) == 4);

BmsBuffer::Storage BmsBuffer::allocateStorage(std::size_t count)
{
    if (count > SIZE_MAX / sizeof(StoredObject))
        throw std::bad_alloc();
    const ObjectBlock block = takeObjectBlock(count * sizeof(StoredObject));
    return Storage(static_cast<StoredObject*>(block.storage), StorageDeleter { block.bytes });
}

void BmsBuffer::StorageDeleter::operator()(StoredObject* entries) const
{
    giveBackObjectBlock({ entries, blockBytes });
}

std::size_t BmsBuffer::blockFrom(int firstTick) const
{
    const auto before = [](const TickBlock& block, int tick) { return block.firstTick < tick; };
    return static_cast<std::size_t>(
        std::lower_bound(blocks_.begin(), blocks_.end(), firstTick, before) - blocks_.begin());
}

BmsBuffer::EntryPosition BmsBuffer::lowerBound(int tick) const
{
    const int firstTick = TickBlock::firstTickOf(tick);
    const std::size_t b = blockFrom(firstTick);
    if (b == blocks_.size())
        return { count_, b };
    const std::size_t first = blocks_[b].firstEntry;
    if (blocks_[b].firstTick != firstTick)
        return { first, b };
    const StoredObject* entries = entries_.get();
    const std::size_t end = blockEnd(b);
    const auto before = [](const StoredObject& entry, std::uint16_t offset) { return entry.tickInBlock < offset; };
    const std::size_t at = static_cast<std::size_t>(
        std::lower_bound(entries + first, entries + end, tickInBlock(tick, firstTick), before) - entries);
    // Past the block's last entry is the next block's first.
    return { at, at == end ? b + 1 : b };
}

void BmsBuffer::makeRoom()
{
    if (count_ < storage_)
        return;
    // Doubling keeps a long line's growth amortised linear.
    reserveObjects(storage_ ? 2 * storage_ : kFirstBlockEntries);
}

void BmsBuffer::makeBlockRoom(std::size_t extra)
{
    if (blocks_.capacity() - blocks_.size() < extra)
        blocks_.reserve(std::max(2 * blocks_.capacity(), blocks_.size() + extra));
}

void BmsBuffer::reserveObjects(std::size_t storage)
{
    if (storage <= storage_)
        return;
    Storage entries = allocateStorage(storage);
    std::copy_n(entries_.get(), count_, entries.get());
    const std::size_t outgrownBytes = entries_.get_deleter().blockBytes;
    releaseObjectBlock({ entries_.release(), outgrownBytes });
    entries_ = std::move(entries);
    storage_ = storage;
}

BmsWord BmsBuffer::objectAt(int i) const
{
    const auto [at, b] = lowerBound(i);
    const bool found = at < count_ && blocks_[b].firstTick + entries_[at].tickInBlock == i;
    return found ? entries_[at].object : BmsWord();
}

BmsWord BmsBuffer::exchangeObject(int i, BmsWord id)
{
    if (i < 0 || i >= capacity_)
        return BmsWord();
    const int firstTick = TickBlock::firstTickOf(i);
    const std::size_t b = blockFrom(firstTick);
    const bool blockExists = b < blocks_.size() && blocks_[b].firstTick == firstTick;
    const std::size_t at = lowerBound(i).entry;
    StoredObject* entries = entries_.get();
    const auto shiftLaterBlocks = [this](std::size_t from, bool added) {
        for (std::size_t later = from; later < blocks_.size(); ++later)
            added ? ++blocks_[later].firstEntry : --blocks_[later].firstEntry;
    };
    if (blockExists && at < blockEnd(b) && entries[at].tickInBlock == tickInBlock(i, firstTick)) {
        const BmsWord previous = entries[at].object;
        if (!id.isEmptyObject()) {
            entries[at].object = id;
            return previous;
        }
        std::copy(entries + at + 1, entries + count_, entries + at);
        --count_;
        shiftLaterBlocks(b + 1, false);
        // A block keeps at least one entry.
        if (blockEnd(b) == blocks_[b].firstEntry)
            blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(b));
        return previous;
    }
    if (!id.isEmptyObject()) {
        makeRoom();
        if (!blockExists) {
            makeBlockRoom(1);
            blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(b), { firstTick, at });
        }
        entries = entries_.get();
        std::copy_backward(entries + at, entries + count_, entries + count_ + 1);
        entries[at] = { tickInBlock(i, firstTick), id };
        ++count_;
        shiftLaterBlocks(b + 1, true);
    }
    return BmsWord();
}

int BmsBuffer::reserve(int i)
{
    if (i >= capacity_)
        capacity_ = checkedPositions(capacityHolding(capacity_, i));
    return capacity_;
}

BmsWord BmsBuffer::setObject(int i, BmsWord id)
{
    reserve(i);
    return exchangeObject(i, id);
}

void BmsBuffer::appendObjectAnyhow(int tick, BmsWord id, bool inOrder)
{
    if (id.isEmptyObject()) {
        // Nothing stored at or after the tick yet: it reads "00" already.
        if (inOrder || tick >= capacity_)
            return;
    } else {
        reserve(tick);
    }
    makeRoom();
    const int firstTick = TickBlock::firstTickOf(tick);
    if (count_ == 0 || blocks_.back().firstTick != firstTick) {
        makeBlockRoom(1);
        blocks_.push_back({ firstTick, count_ });
    }
    entries_[count_++] = { tickInBlock(tick, firstTick), id };
    unsettled_ = unsettled_ || !inOrder;
}

void BmsBuffer::appendLine(int start, int ticks, std::string_view pairs, IndexBase base, bool keepEmpty)
{
    const std::size_t objectCount = pairs.size() / 2;
    const auto objectOf = [pairs, base](std::size_t j) { return base.word(pairs[2 * j], pairs[2 * j + 1]); };
    // No more objects than ticks puts them a tick apart at least: after the last entry
    // and with room for all, each goes straight to the end of the line (a "00" there
    // would store nothing either way), without appendObject's checks on every one.
    const bool straight = !unsettled_ && objectCount <= static_cast<std::size_t>(std::max(ticks, 0))
        && (count_ == 0 || lastTick() < start) && storage_ - count_ >= objectCount;
    if (straight) {
        // The line spans ticks / 65,536 + 1 boundaries of blocks at most.
        makeBlockRoom(static_cast<std::size_t>(ticks / TickBlock::kTicks) + 2);
        StoredObject* const entries = entries_.get();
        std::size_t count = count_;
        // No block starts at tick -1: the first object opens a block of its own.
        int firstTick = count == 0 ? -1 : blocks_.back().firstTick;
        const auto appendAll = [&](auto crossesBlocks) {
            forEachObjectTick(start, ticks, objectCount, [&](std::size_t j, int tick) {
                const BmsWord object = objectOf(j);
                if constexpr (decltype(crossesBlocks)::value) {
                    if (object.isEmptyObject())
                        return true;
                    if (TickBlock::firstTickOf(tick) != firstTick) {
                        firstTick = TickBlock::firstTickOf(tick);
                        blocks_.push_back({ firstTick, count });
                    }
                    entries[count++] = { tickInBlock(tick, firstTick), object };
                } else {
                    // Many pairs of a chart are "00": every pair is written and only an
                    // object counts, so that the loop has no branch on them. The room for
                    // all the pairs holds the write past the last object.
                    entries[count] = { tickInBlock(tick, firstTick), object };
                    count += object.isEmptyObject() ? 0 : 1;
                }
                return true;
            });
        };
        // A line inside one block, as nearly every line is, takes its block once instead
        // of asking for each object; a block that gets no object goes again.
        const int lineBlock = TickBlock::firstTickOf(start);
        if (ticks > 0 && TickBlock::firstTickOf(start + ticks - 1) == lineBlock) {
            const bool opens = lineBlock != firstTick;
            if (opens) {
                firstTick = lineBlock;
                blocks_.push_back({ firstTick, count });
            }
            appendAll(std::false_type {});
            if (opens && count == count_)
                blocks_.pop_back();
        } else {
            appendAll(std::true_type {});
        }
        // The capacity grows as appendObject would have grown it, object by object: in
        // whole steps past the last one, as every object stored lies at or before it.
        if (count != count_) {
            count_ = count;
            reserve(lastTick());
        }
        return;
    }
    forEachObjectTick(start, ticks, objectCount, [&](std::size_t j, int tick) {
        const BmsWord object = objectOf(j);
        if (keepEmpty || !object.isEmptyObject())
            appendObject(tick, object);
        return true;
    });
}

void BmsBuffer::settleObjects()
{
    if (!unsettled_)
        return;
    // The blocks are runs in the order written: the entries get their whole ticks to be
    // sorted, stably so that of the writes to one tick the last one written stays last.
    std::vector<PlacedObject> written;
    written.reserve(count_);
    for (std::size_t run = 0; run < blocks_.size(); ++run) {
        for (std::size_t at = blocks_[run].firstEntry; at < blockEnd(run); ++at)
            written.push_back({ blocks_[run].firstTick + entries_[at].tickInBlock, entries_[at].object });
    }
    std::stable_sort(
        written.begin(), written.end(), [](const PlacedObject& a, const PlacedObject& b) { return a.tick < b.tick; });
    // No more blocks than runs: the records are rewritten in place, without a copy.
    blocks_.clear();
    count_ = 0;
    for (std::size_t i = 0; i < written.size(); ++i) {
        const PlacedObject& entry = written[i];
        const bool overwritten = i + 1 < written.size() && written[i + 1].tick == entry.tick;
        if (overwritten || entry.object.isEmptyObject())
            continue;
        const int firstTick = TickBlock::firstTickOf(entry.tick);
        if (count_ == 0 || blocks_.back().firstTick != firstTick)
            blocks_.push_back({ firstTick, count_ });
        entries_[count_++] = { tickInBlock(entry.tick, firstTick), entry.object };
    }
    unsettled_ = false;
}

PlacedObjects BmsBuffer::objectsBetween(int from, int to) const
{
    // Most lines hold nothing in most measures: a range after the last entry or before
    // the first one needs no search.
    if (count_ == 0 || from > lastTick())
        return PlacedObjects(entries_.get(), blocks_, count_, count_, blocks_.size());
    if (to <= blocks_.front().firstTick + entries_[0].tickInBlock)
        return PlacedObjects(entries_.get(), blocks_, 0, 0, 0);
    const EntryPosition first = lowerBound(from);
    const std::size_t end = std::max(first.entry, lowerBound(to).entry);
    return PlacedObjects(entries_.get(), blocks_, first.entry, end, first.block);
}

int BmsBuffer::lastObjectTick() const
{
    for (std::size_t b = blocks_.size(); b-- > 0;) {
        for (std::size_t at = blockEnd(b); at-- > blocks_[b].firstEntry;) {
            if (!entries_[at].object.isEmptyObject())
                return blocks_[b].firstTick + entries_[at].tickInBlock;
        }
    }
    return -1;
}
