#include "model/bms_buffer.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <new>

#include "model/object_storage.h"

namespace {

// Positions are int: a size that int cannot hold is storage that cannot be had.
int checkedPositions(std::int64_t positions)
{
    if (positions > INT_MAX)
        throw std::bad_alloc();
    return static_cast<int>(positions);
}

void fillWithEmptyObjects(BmsWord* objects, int count)
{
    static_assert(sizeof(BmsWord) == 2);
    std::memset(static_cast<void*>(objects), '0', static_cast<std::size_t>(count) * sizeof(BmsWord));
}

} // namespace

BmsBuffer::BmsBuffer(int capacity)
    : capacity_(std::max(capacity, 0))
    , storage_(capacity_)
    , objects_(allocateStorage(storage_))
{
    fillWithEmptyObjects(objects_.get(), capacity_);
}

// BmsWord is trivially copyable with a trivial destructor, so its objects may live in
// raw storage that is filled byte-wise.
BmsBuffer::Storage BmsBuffer::allocateStorage(int positions)
{
    const ObjectBlock block = takeObjectBlock(static_cast<std::size_t>(positions) * sizeof(BmsWord));
    return Storage(static_cast<BmsWord*>(block.storage), StorageDeleter { block.bytes });
}

void BmsBuffer::StorageDeleter::operator()(BmsWord* objects) const
{
    giveBackObjectBlock({ objects, blockBytes });
}

BmsWord BmsBuffer::exchangeObject(int i, BmsWord id)
{
    if (i < 0 || i >= capacity_)
        return BmsWord();
    BmsWord previous = objects_[i];
    objects_[i] = id;
    return previous;
}

int BmsBuffer::reserve(int i)
{
    if (i < capacity_)
        return capacity_;
    int capacity = checkedPositions(capacityHolding(capacity_, i));
    if (capacity > storage_) {
        // Growing by half the storage at least keeps a long line's growth amortised linear.
        const std::int64_t grown = roundUpToGrowthStep(std::max<std::int64_t>(capacity, storage_ + storage_ / 2));
        reserveStorage(grown > INT_MAX ? capacity : static_cast<int>(grown));
    }
    fillWithEmptyObjects(objects_.get() + capacity_, capacity - capacity_);
    capacity_ = capacity;
    return capacity_;
}

BmsWord BmsBuffer::setObject(int i, BmsWord id)
{
    reserve(i);
    return exchangeObject(i, id);
}

void BmsBuffer::reserveStorage(int positions)
{
    if (positions <= storage_)
        return;
    Storage objects = allocateStorage(positions);
    std::copy_n(objects_.get(), capacity_, objects.get());
    objects_ = std::move(objects);
    storage_ = positions;
}
