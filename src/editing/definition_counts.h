#pragma once

// What one definition table holds at a glance: how many indices are registered, used by
// the channel data, registered but never used, and used but not registered.

#include "editing/index_usage.h"
#include "model/bms_bms.h"
#include "model/definition_kind.h"

struct DefinitionCounts {
    int registered = 0;
    int used = 0;
    int unused = 0;
    int usedUnregistered = 0;
};

// Counts the table of the kind against every reference of the kind (countReferences).
// Row 00 is the empty object: it counts as registered or not, never as unused.
DefinitionCounts countDefinitions(BmsBms& document, DefinitionKind kind);
// The same counts from the references already counted.
DefinitionCounts countDefinitions(const BmsRegistArray& table, const ReferenceCounts& references);
