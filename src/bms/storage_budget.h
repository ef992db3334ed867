#pragma once

// The storage that one read's channel lines take, counted as a fixed size per line and
// per stored object, so that a chart's storage grows with its lines and objects. A
// hostile chart could otherwise ask for gigabytes.

#include <cstddef>

#include "model/bms_channel.h"

class StorageBudget {
public:
    static constexpr std::size_t kLineBytes = sizeof(BmsChannel);
    static constexpr std::size_t kObjectBytes = sizeof(StoredObject);

    explicit StorageBudget(std::size_t bytes);

    // Each takes the storage of one more line, or of count more objects; false (taking
    // nothing) when that would pass the budget.
    bool takeLine();
    bool takeObjects(std::size_t count);
    // How many more objects the budget can take.
    std::size_t objectsLeft() const { return left_ / kObjectBytes; }

private:
    bool take(std::size_t bytes);

    std::size_t left_;
};
