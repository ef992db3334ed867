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
    for (int value = 0; value < BmsRegistArray::kSlotCount; ++value) {
        if (table.has(BmsWord(value)))
            names.insert(foldAsciiCase(table.get(BmsWord(value)), true));
    }
    return names;
}

} // namespace

FileRegistration registerFileNames(DefinitionPage& page, const std::vector<std::string>& names)
{
    BmsRegistArray& table = page.table();
    const int lastRow = table.rowCount() - 1;
    const IndexSet definedByHeaders = indicesDefinedByHeaders(page.document(), page.kind());
    const ReferenceCounts references = countReferences(page.document(), page.kind());
    const auto valueAt = [&table](int row) { return static_cast<std::size_t>(table.wordAt(row).value()); };
    const auto isDefined = [&](int row) { return table.hasRow(row) || definedByHeaders.test(valueAt(row)); };
    const auto isUsedUndefined = [&](int row) { return references[valueAt(row)] > 0 && !isDefined(row); };
    // A row is passed over once, though later names look at the last row again.
    IndexSet passedOverUsed;
    // The caret names a row; one outside the list must not lead to a slot of another row.
    constexpr PerKind<int> kFirstRows { 1, 0 }; // no object can use sound row 00
    const int firstRow = kFirstRows[page.kind()];
    int row = std::clamp(page.caretRow(), firstRow, lastRow);
    std::set<std::string> registered = registeredNames(table);
    FileRegistration result;
    for (const std::string& name : names) {
        if (!registered.insert(foldAsciiCase(name, true)).second) {
            result.alreadyRegistered.push_back(name);
            continue;
        }
        while (row <= lastRow && (isDefined(row) || isUsedUndefined(row))) {
            if (isUsedUndefined(row))
                passedOverUsed.set(valueAt(row));
            ++row;
        }
        if (row > lastRow) {
            row = lastRow;
            result.withoutSlot.push_back(name);
            continue;
        }
        table.set(table.wordAt(row), name.c_str());
        page.refreshRow(row);
    }
    page.select(row);
    result.lastRow = row;
    result.passedOverUsed = static_cast<int>(passedOverUsed.count());
    return result;
}
