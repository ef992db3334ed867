#include "model/object_storage.h"

#include <map>
#include <new>

namespace {

// What one thread keeps: a few charts' worth of lines.
constexpr std::size_t kSpareBytesLimit = std::size_t { 64 } << 20;
// A spare block serves a request of at least half its size, so that a small line does
// not hold on to a large block.
constexpr std::size_t kLargestWaste = 2;

// Under AddressSanitizer every block goes back to the system, so that a line's storage
// used after it is gone is still caught.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kKeepSpareBlocks = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kKeepSpareBlocks = false;
#else
constexpr bool kKeepSpareBlocks = true;
#endif
#else
constexpr bool kKeepSpareBlocks = true;
#endif

} // namespace

class SpareBlocks {
public:
    SpareBlocks() = default;
    SpareBlocks(const SpareBlocks&) = delete;
    SpareBlocks& operator=(const SpareBlocks&) = delete;
    ~SpareBlocks()
    {
        for (const auto& [bytes, storage] : blocks_)
            ::operator delete(storage);
    }

    ObjectBlock take(std::size_t bytes)
    {
        const auto spare = blocks_.lower_bound(bytes);
        if (spare == blocks_.end() || spare->first / kLargestWaste > bytes)
            return { ::operator new(bytes), bytes };
        const ObjectBlock block { spare->second, spare->first };
        blocks_.erase(spare);
        spareBytes_ -= block.bytes;
        return block;
    }

    void giveBack(ObjectBlock block)
    {
        if (block.bytes > kSpareBytesLimit - spareBytes_) {
            ::operator delete(block.storage);
            return;
        }
        try {
            blocks_.emplace(block.bytes, block.storage);
        } catch (const std::bad_alloc&) {
            ::operator delete(block.storage);
            return;
        }
        spareBytes_ += block.bytes;
    }

private:
    std::multimap<std::size_t, void*> blocks_;
    std::size_t spareBytes_ = 0;
};

namespace {

// The calling thread's spare blocks, owned by its outermost SpareObjectBlocks; a plain
// pointer, which needs nothing done when the thread ends.
thread_local SpareBlocks* threadSpareBlocks = nullptr;

} // namespace

SpareObjectBlocks::SpareObjectBlocks()
{
    if (kKeepSpareBlocks && !threadSpareBlocks) {
        owned_ = std::make_unique<SpareBlocks>();
        threadSpareBlocks = owned_.get();
    }
}

SpareObjectBlocks::~SpareObjectBlocks()
{
    if (owned_)
        threadSpareBlocks = nullptr;
}

ObjectBlock takeObjectBlock(std::size_t bytes)
{
    SpareBlocks* spare = threadSpareBlocks;
    return spare ? spare->take(bytes) : ObjectBlock { ::operator new(bytes), bytes };
}

void giveBackObjectBlock(ObjectBlock block)
{
    if (!block.storage)
        return;
    if (SpareBlocks* spare = threadSpareBlocks)
        spare->giveBack(block);
    else
        ::operator delete(block.storage);
}

void releaseObjectBlock(ObjectBlock block)
{
    ::operator delete(block.storage);
}
