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

bool tickBefore(const PlacedObject& entry, int tick)
{
    return entry.tick < tick;
}

} // namespace

BmsBuffer::BmsBuffer(int capacity)
    : capacity_(std::max(capacity, 0))
    , entries_(nullptr, StorageDeleter {})
{
}

// PlacedObject is trivially copyable with a trivial destructor, so entries may live in
// raw storage and be moved byte-wise.
static_assert(std::is_trivially_copyable_v<PlacedObject> && std::is_trivially_destructible_v<PlacedObject>);

BmsBuffer::Storage BmsBuffer::allocateStorage(std::size_t count)
{
    if (count > SIZE_MAX / sizeof(PlacedObject))
        throw std::bad_alloc();
    const ObjectBlock block = takeObjectBlock(count * sizeof(PlacedObject));
    return Storage(static_cast<PlacedObject*>(block.storage), StorageDeleter { block.bytes });
}

void BmsBuffer::StorageDeleter::operator()(PlacedObject* entries) const
{
    giveBackObjectBlock({ entries, blockBytes });
}

std::size_t BmsBuffer::lowerBound(int tick) const
{
    const PlacedObject* begin = entries_.get();
    return static_cast<std::size_t>(std::lower_bound(begin, begin + count_, tick, tickBefore) - begin);
}

void BmsBuffer::makeRoom()
{
    if (count_ < storage_)
        return;
    // Doubling keeps a long line's growth amortised linear.
    reserveObjects(storage_ ? 2 * storage_ : kFirstBlockEntries);
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
    const std::size_t at = lowerBound(i);
    return at < count_ && entries_[at].tick == i ? entries_[at].object : BmsWord();
}

BmsWord BmsBuffer::exchangeObject(int i, BmsWord id)
{
    if (i < 0 || i >= capacity_)
        return BmsWord();
    const std::size_t at = lowerBound(i);
    PlacedObject* entries = entries_.get();
    if (at < count_ && entries[at].tick == i) {
        const BmsWord previous = entries[at].object;
        if (id.isEmptyObject()) {
            std::copy(entries + at + 1, entries + count_, entries + at);
            --count_;
        } else {
            entries[at].object = id;
        }
        return previous;
    }
    if (!id.isEmptyObject()) {
        makeRoom();
        entries = entries_.get();
        std::copy_backward(entries + at, entries + count_, entries + count_ + 1);
        entries[at] = { i, id };
        ++count_;
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
    entries_[count_++] = { tick, id };
    unsettled_ = unsettled_ || !inOrder;
}

void BmsBuffer::appendLine(int start, int ticks, std::string_view pairs, IndexBase base, bool keepEmpty)
{
    const std::size_t objectCount = pairs.size() / 2;
    const auto objectOf = [pairs, base](std::size_t j) { return base.word(pairs[2 * j], pairs[2 * j + 1]); };
    // No more objects than ticks puts them a tick apart at least: after the last entry,
    // inside the capacity and with room for all, each goes straight to the end of the
    // line (a "00" there would store nothing either way), without appendObject's checks
    // on every one.
    const bool straight = !unsettled_ && objectCount <= static_cast<std::size_t>(std::max(ticks, 0))
        && start + ticks <= capacity_ && (count_ == 0 || entries_[count_ - 1].tick < start)
        && storage_ - count_ >= objectCount;
    if (straight) {
        PlacedObject* end = entries_.get() + count_;
        forEachObjectTick(start, ticks, objectCount, [&](std::size_t j, int tick) {
            const BmsWord object = objectOf(j);
            if (!object.isEmptyObject())
                *end++ = { tick, object };
            return true;
        });
        count_ = static_cast<std::size_t>(end - entries_.get());
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
    PlacedObject* entries = entries_.get();
    // Stable: of the writes to one tick, the last one written stays last.
    std::stable_sort(
        entries, entries + count_, [](const PlacedObject& a, const PlacedObject& b) { return a.tick < b.tick; });
    std::size_t kept = 0;
    for (std::size_t i = 0; i < count_; ++i) {
        const bool overwritten = i + 1 < count_ && entries[i + 1].tick == entries[i].tick;
        if (!overwritten && !entries[i].object.isEmptyObject())
            entries[kept++] = entries[i];
    }
    count_ = kept;
    unsettled_ = false;
}

std::span<const PlacedObject> BmsBuffer::objectsBetween(int from, int to) const
{
    const std::size_t first = lowerBound(from);
    const std::size_t end = std::max(first, lowerBound(to));
    return { entries_.get() + first, end - first };
}
