#pragma once

// Raw storage for the objects of channel lines. A chart of a few hundred measures takes
// megabytes of line storage; freshly allocated, every page of it is faulted in and given
// back to the system again for each chart. So each thread keeps the blocks that its
// lines gave back (up to a bound) and hands them out again, already in memory. Nothing
// reads a block before writing it, so where a block comes from changes no result.

#include <cstddef>

struct ObjectBlock {
    void* storage = nullptr;
    // The block's real size, which may exceed the size asked for.
    std::size_t bytes = 0;
};

// A block of at least bytes bytes. Throws std::bad_alloc when none can be had.
ObjectBlock takeObjectBlock(std::size_t bytes);

// Gives a block back to the calling thread's spare blocks, or to the system once they
// hold enough.
void giveBackObjectBlock(ObjectBlock block);
