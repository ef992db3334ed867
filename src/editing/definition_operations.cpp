#include "editing/definition_operations.h"

#include <vector>

#include "editing/index_usage.h"

namespace {
constexpr int kFirstRow = 1; // row 00 never takes part in a renumbering

int lastRow(DefinitionPage& page)
{
    return page.rowCount() - 1;
}

// The lowest selected row from from on, or -1.
int lowestSelectedRow(DefinitionPage& page, int from)
{
    for (int row = from, last = lastRow(page); row <= last; ++row) {
        if (page.isSelected(row))
            return row;
    }
    return -1;
}

// Used, holding a file name, or defined as an image part by a header line.
bool isOccupied(const UsageFlags& used, const BmsRegistArray& table, const IndexSet& definedByHeaders, BmsWord index)
{
    const int value = index.value();
    return used[value] || table.has(index) || definedByHeaders.test(static_cast<std::size_t>(value));
}
} // namespace

void markUsed(DefinitionPage& page, UsageFlags& used)
{
    const ReferenceCounts counts = countReferences(page.document(), page.kind());
    for (int value = 0; value < BmsWord::kValueCount; ++value)
        used[value] = counts[value] > 0;
}

bool swapTopTwoSelected(DefinitionPage& page, ListExchanger& plan)
{
    plan.reset(&page.document(), page.kind());
    const int a = lowestSelectedRow(page, kFirstRow);
    if (a < 0)
        return false;
    const int b = lowestSelectedRow(page, a + 1);
    if (b < 0)
        return false;
    plan.add(page.wordAt(a), page.wordAt(b));
    plan.add(page.wordAt(b), page.wordAt(a));
    plan.apply();
    page.refreshRow(a);
    page.refreshRow(b);
    page.select(a);
    page.select(b);
    return true;
}

bool moveSelection(DefinitionPage& page, ListExchanger& plan, bool up)
{
    const int step = up ? -1 : 1;
    const int firstOfWalk = up ? kFirstRow : lastRow(page);
    const int lastOfWalk = up ? lastRow(page) : kFirstRow;
    const auto word = [&page](int row) { return page.wordAt(row); };
    // A block at the end it moves towards has nowhere to go; row 00 never moves.
    if (page.isSelected(0) || page.isSelected(firstOfWalk))
        return false;

    plan.reset(&page.document(), page.kind());
    // The walk runs against the move, so each block's rows are planned before the row it
    // passes over, which then goes to the block's other end.
    std::vector<int> rowsToRefresh;
    std::vector<int> rowsToSelect;
    bool inBlock = false;
    int blockStart = 0;
    for (int row = firstOfWalk;; row -= step) {
        if (page.isSelected(row)) {
            plan.add(word(row), word(row + step));
            rowsToRefresh.push_back(row + step);
            rowsToSelect.push_back(row + step);
            if (!inBlock) {
                inBlock = true;
                blockStart = row;
            }
            if (row == lastOfWalk) {
                plan.add(word(blockStart + step), word(row));
                rowsToRefresh.push_back(row);
            }
        } else if (inBlock) {
            inBlock = false;
            plan.add(word(blockStart + step), word(row + step));
            rowsToRefresh.push_back(row + step);
        }
        if (row == lastOfWalk)
            break;
    }
    if (rowsToSelect.empty())
        return false;

    plan.apply();
    for (int row : rowsToRefresh)
        page.refreshRow(row);
    for (int row : rowsToSelect)
        page.select(row);
    return true;
}

void removeSelected(DefinitionPage& page)
{
    const int caret = page.caretRow();
    BmsRegistArray& table = page.table();
    for (int row = 0, last = lastRow(page); row <= last; ++row) {
        if (page.isSelected(row)) {
            table.remove(table.wordAt(row));
            page.refreshRow(row);
        }
    }
    page.select(caret);
}

void unregisterUnreferenced(DefinitionPage& page)
{
    UsageFlags used;
    markUsed(page, used);
    BmsRegistArray& table = page.table();
    for (int row = kFirstRow, last = lastRow(page); row <= last; ++row) {
        const BmsWord index = table.wordAt(row);
        if (!used[index.value()] && table.remove(index))
            page.refreshRow(row);
    }
}

void compactIndices(DefinitionPage& page, ListExchanger& plan)
{
    UsageFlags used;
    markUsed(page, used);
    plan.reset(&page.document(), page.kind());
    const BmsRegistArray& table = page.table();
    const IndexSet definedByHeaders = indicesDefinedByHeaders(page.document(), page.kind());
    const int last = lastRow(page);
    const auto occupied = [&](int row) { return isOccupied(used, table, definedByHeaders, table.wordAt(row)); };
    int hole = kFirstRow;
    while (hole <= last && occupied(hole))
        ++hole;
    int next = hole;
    for (int row = hole; row <= last; ++row) {
        if (occupied(row))
            plan.add(table.wordAt(row), table.wordAt(next++));
    }
    plan.apply();
    page.refreshAll();
}
