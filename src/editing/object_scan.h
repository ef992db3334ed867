#pragma once

// The scan shared by the usage flags and the renumbering: every object other than "00"
// in the channels of one kind, on each top-level line and then its lanes, from position
// 0 up to the chart's last object.

#include <algorithm>

#include "editing/reference_channels.h"
#include "model/bms_bms.h"

// Calls visit(BmsWord& object) for each such object; the visitor may rewrite it.
template <typename Visit> void forEachObjectOfKind(BmsBms& document, int kind, Visit&& visit)
{
    const int lastPosition = document.lastObjectPosition();
    for (BmsChannel* line = document.firstLine(); line; line = line->next()) {
        if (!isChannelOfKind(line->channel(), kind))
            continue;
        for (BmsChannel* lane = line; lane; lane = lane->child()) {
            BmsWord* objects = lane->objects();
            const int end = std::min(lane->capacity(), lastPosition + 1);
            for (int position = 0; position < end; ++position) {
                // Most positions of a dense line are empty; two byte compares skip them.
                if (!objects[position].isEmptyObject())
                    visit(objects[position]);
            }
        }
    }
}
