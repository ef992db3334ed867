#include "model/first_object.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace {

// Four empty objects, "00000000", as one 8-byte load sees them on any byte order.
constexpr std::uint64_t kFourEmptyObjects = 0x3030303030303030u;
constexpr int kBlock = 4;
static_assert(sizeof(BmsWord) * kBlock == sizeof(std::uint64_t));

} // namespace

// In a block of four, the first byte that is not '0' marks the object.
int firstObjectFrom(const BmsWord* objects, int from, int to)
{
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
