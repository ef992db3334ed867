#include "editing/index_base_switch.h"

#include "bms/layout_check.h"
#include "editing/index_usage.h"
#include "model/header_references.h"

namespace {

constexpr const char* kBaseKey = "BASE";

// "WAV Aa" for an index of a kind.
std::string indexName(DefinitionKind kind, BmsWord index)
{
    char text[3];
    return std::string(kind == kKindWav ? "WAV " : "BMP ") + index.toText(text);
}

// The indices with a lower-case letter that are defined, used or defined as image parts.
std::vector<std::string> lowerCaseIndicesInUse(BmsBms& document)
{
    std::vector<std::string> inUse;
    for (DefinitionKind kind : kDefinitionKinds) {
        const ReferenceCounts references = countReferences(document, kind);
        const IndexSet byHeaders = indicesDefinedByHeaders(document, kind);
        const BmsRegistArray& table = *document.table(kind);
        for (int value = 0; value < BmsWord::kValueCount; ++value) {
            const BmsWord index(value);
            if (index.hasLowerCase() && (table.has(index) || references[value] > 0 || byHeaders.test(value)))
                inUse.push_back(indexName(kind, index));
        }
    }
    return inUse;
}

// The keys that end in an index with a lower-case letter (#BPMaa), but for image parts:
// those name their BMP index above, and compacting renumbers them with it.
std::vector<std::string> lowerCaseIndexedKeys(const BmsHeaderHash& headers)
{
    std::vector<std::string> keys;
    for (const std::string& key : headers.keys()) {
        const std::size_t at = keyIndexAt(key);
        if (at != HeaderIndexReferences::kNone && at != headerIndexReferences(key, "").definedBmpIndexAt
            && BmsWord::keepingCase(key[at], key[at + 1]).hasLowerCase())
            keys.push_back(key);
    }
    return keys;
}

// Header values that name an index (#LNOBJ, the image of #BGA) in their base-36 meaning.
void upperCaseHeaderReferences(BmsHeaderHash& headers)
{
    for (const std::string& key : headers.keys()) {
        std::string value = headers.get(key.c_str());
        const HeaderIndexReferences references = headerIndexReferences(key, value);
        if (!references.valueNamesIndex.wav && !references.valueNamesIndex.bmp)
            continue;
        const BmsWord index = BmsWord(value[0], value[1]);
        if (index.equalsChars(value[0], value[1]))
            continue;
        value[0] = index.high();
        value[1] = index.low();
        headers.replaceValue(key.c_str(), value.c_str());
    }
}

} // namespace

BaseSwitch switchIndexBase(BmsBms& document, int radix)
{
    const IndexBase target = IndexBase::ofRadix(radix);
    BaseSwitch result;
    if (document.indexBase() == target)
        return result;
    if (target.isCaseSensitive()) {
        // One index defined under two spellings ("0a" and "0A") is one definition in base
        // 36 and would be two in the text of base 62; which one was meant is not known.
        const ChartSource* source = document.editState().source();
        if (const int shared = source ? countCaseSharedDefinitions(source->text) : 0) {
            result.refusals.push_back(std::to_string(shared)
                + " definition lines spell one index in different letter cases, which base 62 would tell apart");
            return result;
        }
        upperCaseHeaderReferences(*document.headerTable());
        document.headerTable()->set(kBaseKey, "62");
    } else {
        for (const std::string& index : lowerCaseIndicesInUse(document))
            result.refusals.push_back(index + " has a lower-case letter, which base 36 cannot write (compact first)");
        for (const std::string& key : lowerCaseIndexedKeys(*document.headerTable()))
            result.refusals.push_back("#" + key + " has a lower-case letter, which base 36 cannot write");
        if (!result.refusals.empty())
            return result;
        document.headerTable()->remove(kBaseKey);
    }
    document.setIndexBase(target);
    result.switched = true;
    return result;
}
