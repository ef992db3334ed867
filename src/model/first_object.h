#pragma once

// The search for objects among a line's positions, shared by the writers and the scans
// of the editing operations: most positions of a line hold "00", so they are looked at
// four at a time.

#include <bit>
#include <cstdint>
#include <cstring>

#include "model/bms_word.h"

namespace first_object_detail {
// Four empty objects, "00000000", as one 8-byte load sees them on any byte order.
constexpr std::uint64_t kFourEmptyObjects = 0x3030303030303030u;
constexpr int kBlock = 4;
static_assert(sizeof(BmsWord) * kBlock == sizeof(std::uint64_t));
} // namespace first_object_detail

// Index of the first object other than "00" in objects[from..to), or to when there is
// none. In a block of four, the first byte that is not '0' marks the object.
inline int firstObjectFrom(const BmsWord* objects, int from, int to)
{
    using namespace first_object_detail;
    int i = from;
    for (; i + kBlock <= to; i += kBlock) {
        std::uint64_t four;
        std::memcpy(&four, objects + i, sizeof four);
        if (const std::uint64_t differing = four ^ kFourEmptyObjects) {
            const int byte = std::endian::native == std::endian::little ? std::countr_zero(differing) / 8
                                                                        : std::countl_zero(differing) / 8;
            return i + byte / static_cast<int>(sizeof(BmsWord));
        }
    }
    for (; i < to; ++i) {
        if (!objects[i].isEmptyObject())
            return i;
    }
    return to;
}
