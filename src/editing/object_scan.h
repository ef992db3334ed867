#pragma once

// The scan shared by the usage flags and the renumbering: every object other than "00"
// in the channels of one kind, on each top-level line and then its lanes, from position
// 0 up to the chart's last object.

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "editing/definition_kind.h"
#include "editing/reference_channels.h"
#include "model/bms_bms.h"

namespace object_scan_detail {
// Four empty objects, "00000000", as one 8-byte load sees them on any byte order.
constexpr std::uint64_t kFourEmptyObjects = 0x3030303030303030u;
constexpr int kBlock = 4;

// Calls visit for each object other than "00" among objects[0..end).
template <typename Visit> void visitObjects(BmsWord* objects, int end, Visit& visit)
{
    int position = 0;
    while (position < end) {
        // Most positions of a dense line are empty: four of them are skipped with one compare.
        if (position + kBlock <= end) {
            std::uint64_t four;
            std::memcpy(&four, objects + position, sizeof four);
            if (four == kFourEmptyObjects) {
                position += kBlock;
                continue;
            }
        }
        for (const int blockEnd = std::min(position + kBlock, end); position < blockEnd; ++position) {
            if (!objects[position].isEmptyObject())
                visit(objects[position]);
        }
    }
}
} // namespace object_scan_detail

// Calls visit(BmsWord& object) for each such object; the visitor may rewrite it.
template <typename Visit> void forEachObjectOfKind(BmsBms& document, DefinitionKind kind, Visit&& visit)
{
    static_assert(sizeof(BmsWord) * object_scan_detail::kBlock == sizeof(std::uint64_t));
    const int lastPosition = document.lastObjectPosition();
    for (BmsChannel* line = document.firstLine(); line; line = line->next()) {
        if (!isChannelOfKind(line->channel(), kind))
            continue;
        for (BmsChannel* lane = line; lane; lane = lane->child())
            object_scan_detail::visitObjects(lane->objects(), std::min(lane->capacity(), lastPosition + 1), visit);
    }
}
