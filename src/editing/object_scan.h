#pragma once

// The scan shared by the usage flags and the renumbering: every object other than "00"
// in the channels of one kind, on each top-level line and then its lanes, from position
// 0 up to the chart's last object.

#include <algorithm>

#include "model/bms_bms.h"
#include "model/definition_kind.h"
#include "model/first_object.h"
#include "model/reference_channels.h"

// Calls visit(BmsWord& object) for each such object; the visitor may rewrite it.
template <typename Visit> void forEachObjectOfKind(BmsBms& document, DefinitionKind kind, Visit&& visit)
{
    const int lastPosition = document.lastObjectPosition();
    for (BmsChannel* line = document.firstLine(); line; line = line->next()) {
        if (!isChannelOfKind(line->channel(), kind))
            continue;
        for (BmsChannel* lane = line; lane; lane = lane->child()) {
            BmsWord* objects = lane->objects();
            const int end = std::min(lane->capacity(), lastPosition + 1);
            for (int i = firstObjectFrom(objects, 0, end); i < end; i = firstObjectFrom(objects, i + 1, end))
                visit(objects[i]);
        }
    }
}
