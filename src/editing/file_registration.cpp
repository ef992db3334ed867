#include "editing/file_registration.h"

#include <algorithm>

#include "editing/index_usage.h"

int registerFileNames(DefinitionPage& page, const std::vector<std::string>& names)
{
    constexpr int kLastRow = DefinitionPage::kRowCount - 1;
    BmsRegistArray& table = page.table();
    const IndexSet definedByHeaders = indicesDefinedByHeaders(page.document(), page.kind());
    const auto isTaken
        = [&](int row) { return table.has(BmsWord(row)) || definedByHeaders.test(static_cast<std::size_t>(row)); };
    // The caret names a row; one outside the list must not lead to a slot of another row.
    int row = std::clamp(page.caretRow(), 0, kLastRow);
    for (const std::string& name : names) {
        while (row <= kLastRow && isTaken(row))
            ++row;
        if (row > kLastRow) {
            row = kLastRow;
            break;
        }
        table.set(BmsWord(row), name.c_str());
        page.refreshRow(row);
    }
    page.select(row);
    return row;
}
