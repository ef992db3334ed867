#include "editing/definition_counts.h"

#include <array>

#include "editing/definition_kind.h"
#include "editing/object_scan.h"

DefinitionCounts countDefinitions(BmsBms& document, int kind)
{
    std::array<bool, BmsWord::kValueCount> used {};
    forEachObjectOfKind(document, kind, [&used](BmsWord& object) { used[object.value()] = true; });
    const BmsRegistArray& table = *tableOfKind(document, kind);
    DefinitionCounts counts;
    for (int row = 0; row < BmsWord::kValueCount; ++row) {
        const bool registered = table.has(BmsWord(row));
        counts.registered += registered;
        counts.used += used[row];
        // Row 00 is never an object, and unregistering the unused ones leaves it.
        counts.unused += row != 0 && registered && !used[row];
        counts.usedUnregistered += used[row] && !registered;
    }
    return counts;
}
