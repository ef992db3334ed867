#include "editing/file_registration.h"

#include <algorithm>
#include <set>

#include "editing/file_name_rules.h"
#include "editing/index_usage.h"

namespace {

// The names the table holds, as a file system that ignores case compares them.
std::set<std::string> registeredNames(const BmsRegistArray& table)
{
    std::set<std::string> names;
    for (int row = 0; row < BmsRegistArray::kSlotCount; ++row) {
        if (table.has(BmsWord(row)))
            names.insert(foldAsciiCase(table.get(BmsWord(row)), true));
    }
    return names;
}

} // namespace

FileRegistration registerFileNames(DefinitionPage& page, const std::vector<std::string>& names)
{
    constexpr int kLastRow = DefinitionPage::kRowCount - 1;
    BmsRegistArray& table = page.table();
    const IndexSet definedByHeaders = indicesDefinedByHeaders(page.document(), page.kind());
    const ReferenceCounts references = countReferences(page.document(), page.kind());
    const auto isDefined
        = [&](int row) { return table.has(BmsWord(row)) || definedByHeaders.test(static_cast<std::size_t>(row)); };
    const auto isUsedUndefined
        = [&](int row) { return references[static_cast<std::size_t>(row)] > 0 && !isDefined(row); };
    // A row is passed over once, though later names look at the last row again.
    IndexSet passedOverUsed;
    // The caret names a row; one outside the list must not lead to a slot of another row.
    constexpr PerKind<int> kFirstRows { 1, 0 }; // no object can use sound row 00
    const int firstRow = kFirstRows[page.kind()];
    int row = std::clamp(page.caretRow(), firstRow, kLastRow);
    std::set<std::string> registered = registeredNames(table);
    FileRegistration result;
    for (const std::string& name : names) {
        if (!registered.insert(foldAsciiCase(name, true)).second) {
            result.alreadyRegistered.push_back(name);
            continue;
        }
        while (row <= kLastRow && (isDefined(row) || isUsedUndefined(row))) {
            if (isUsedUndefined(row))
                passedOverUsed.set(static_cast<std::size_t>(row));
            ++row;
        }
        if (row > kLastRow) {
            row = kLastRow;
            result.withoutSlot.push_back(name);
            continue;
        }
        table.set(BmsWord(row), name.c_str());
        page.refreshRow(row);
    }
    page.select(row);
    result.lastRow = row;
    result.passedOverUsed = static_cast<int>(passedOverUsed.count());
    return result;
}
