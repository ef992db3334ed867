#include "editing/definition_counts.h"

#include "editing/index_usage.h"
#include "model/definition_kind.h"

DefinitionCounts countDefinitions(BmsBms& document, DefinitionKind kind)
{
    // Usage as the editing operations see it, so that "unused" counts exactly what
    // unregistering the unused definitions would remove.
    return countDefinitions(*document.table(kind), countReferences(document, kind));
}

DefinitionCounts countDefinitions(const BmsRegistArray& table, const ReferenceCounts& references)
{
    DefinitionCounts counts;
    for (int row = 0; row < BmsWord::kValueCount; ++row) {
        const bool registered = table.has(BmsWord(row));
        const bool used = references[row] > 0;
        counts.registered += registered;
        counts.used += used;
        // Row 00 is never an object, and unregistering the unused ones leaves it.
        counts.unused += row != 0 && registered && !used;
        counts.usedUnregistered += used && !registered;
    }
    return counts;
}
