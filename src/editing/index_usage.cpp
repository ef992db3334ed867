#include "editing/index_usage.h"

#include <string_view>

#include "editing/object_scan.h"
#include "model/definition_kind.h"
#include "model/header_references.h"

namespace {

// The model's own references, for a chart with no text: its objects and the header
// lines that its table keeps.
ReferenceCounts countModelReferences(BmsBms& document, DefinitionKind kind)
{
    ReferenceCounts counts {};
    forEachObjectOfKind(document, kind, [&counts](const BmsWord& object) { ++counts[object.value()]; });
    const BmsHeaderHash& headers = *document.headerTable();
    for (const std::string& key : headers.keys()) {
        const std::string_view value = headers.get(key.c_str());
        const HeaderIndexReferences references = headerIndexReferences(key, value);
        if (references.valueNamesIndex[kind])
            ++counts[document.indexBase().word(value[0], value[1]).value()];
    }
    return counts;
}

} // namespace

ReferenceCounts countReferences(BmsBms& document, DefinitionKind kind)
{
    const ChartEditState& state = document.editState();
    const ChartSource* source = state.source();
    if (!source)
        return countModelReferences(document, kind);
    const ChartSource::Counts& original = source->references[kind];
    const IndexMapping& mapping = state.indices(kind);
    ReferenceCounts counts {};
    for (int value = 0; value < BmsWord::kValueCount; ++value)
        counts[mapping.currentValue(value)] += original[value];
    return counts;
}

IndexSet indicesDefinedByHeaders(const BmsBms& document, DefinitionKind kind)
{
    IndexSet defined;
    if (kind != kKindBmp)
        return defined;
    const BmsHeaderHash& headers = *document.headerTable();
    for (const std::string& key : headers.keys()) {
        const std::size_t at = headerIndexReferences(key, headers.get(key.c_str())).definedBmpIndexAt;
        if (at != HeaderIndexReferences::kNone)
            defined.set(document.indexBase().word(key[at], key[at + 1]).value());
    }
    return defined;
}
