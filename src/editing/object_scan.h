#pragma once

// The scan shared by the usage flags and the renumbering: every object other than "00"
// in the channels of one kind, on each top-level line and then its lanes, in tick order.

#include "model/bms_bms.h"
#include "model/definition_kind.h"
#include "model/reference_channels.h"

// Calls visit(BmsWord& object) for each such object; the visitor may rewrite it.
template <typename Visit> void forEachObjectOfKind(BmsBms& document, DefinitionKind kind, Visit&& visit)
{
    for (BmsChannel* line = document.firstLine(); line; line = line->next()) {
        if (!isChannelOfKind(line->channel(), kind))
            continue;
        for (BmsChannel* lane = line; lane; lane = lane->child()) {
            for (StoredObject& entry : lane->storedObjects()) {
                if (!entry.object.isEmptyObject())
                    visit(entry.object);
            }
        }
    }
}
