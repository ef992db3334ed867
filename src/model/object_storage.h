#pragma once

// Raw storage for the objects of channel lines. A chart of a few hundred measures takes
// megabytes of line storage; freshly allocated, every page of it is faulted in and given
// back to the system again for each chart. So a thread that reads chart after chart
// keeps the blocks that its lines gave back (up to a bound) and hands them out again,
// already in memory. Nothing reads a block before writing it, so where a block comes
// from changes no result.

#include <cstddef>
#include <memory>

struct ObjectBlock {
    void* storage = nullptr;
    // The block's real size, which may exceed the size asked for.
    std::size_t bytes = 0;
};

// A block of at least bytes bytes. Throws std::bad_alloc when none can be had.
ObjectBlock takeObjectBlock(std::size_t bytes);

// Gives a block back to the calling thread's spare blocks, or to the system when the
// thread keeps none or they hold enough.
void giveBackObjectBlock(ObjectBlock block);
// Gives a block straight back to the system, for a block that a line has outgrown: kept,
// the outgrown blocks of a chart's lines would add up to as much as the lines hold.
void releaseObjectBlock(ObjectBlock block);

class SpareBlocks;

// While one lives, the calling thread keeps spare blocks; when the first one made on a
// thread ends, they go back to the system. Without one, blocks come from and go back to
// the system directly. A thread that reads many charts holds one for its whole life.
//
// The spare blocks are owned here rather than by a thread_local object with a
// destructor: MinGW's runtime may free such an object's memory before its destructor
// runs when a thread ends, which crashed the tool's worker threads on Windows.
class SpareObjectBlocks {
public:
    SpareObjectBlocks();
    ~SpareObjectBlocks();
    SpareObjectBlocks(const SpareObjectBlocks&) = delete;
    SpareObjectBlocks& operator=(const SpareObjectBlocks&) = delete;

private:
    // Null for a scope made while another one is alive on the thread.
    std::unique_ptr<SpareBlocks> owned_;
};
