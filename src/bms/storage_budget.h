#pragma once

// The object storage that one read's channel lines take, counted as the document
// lays it out: capacity x 2 bytes per line, capacities growing in whole steps
// (BmsBuffer::capacityHolding). A hostile chart of a few lines could otherwise ask for
// gigabytes.

#include <cstddef>
#include <cstdint>

class StorageBudget {
public:
    explicit StorageBudget(std::size_t bytes);

    // Takes positions more of line capacity; false (taking nothing) when that would
    // pass the budget.
    bool takeCapacity(std::int64_t positions);
    // Takes storage reserved ahead of use, which the budget bounds on its own.
    bool takeReservation(std::int64_t positions);

private:
    std::int64_t limit_;
    std::int64_t capacity_ = 0;
    std::int64_t reserved_ = 0;
};
