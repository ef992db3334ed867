#include "editing/definition_operations.h"

#include <vector>

#include "editing/index_usage.h"

namespace {
constexpr int kFirstRow = 1; // row 00 never takes part in a renumbering
constexpr int kLastRow = DefinitionPage::kRowCount - 1;

// The lowest selected row of from..ZZ, or -1.
int lowestSelectedRow(DefinitionPage& page, int from)
{
    for (int row = from; row <= kLastRow; ++row) {
        if (page.isSelected(row))
            return row;
    }
    return -1;
}

// Used, holding a file name, or defined as an image part by a header line.
bool isOccupied(const UsageFlags& used, const BmsRegistArray& table, const IndexSet& definedByHeaders, int row)
{
    return used[row] || table.has(BmsWord(row)) || definedByHeaders.test(static_cast<std::size_t>(row));
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
    plan.add(BmsWord(a), BmsWord(b));
    plan.add(BmsWord(b), BmsWord(a));
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
    const int firstOfWalk = up ? kFirstRow : kLastRow;
    const int lastOfWalk = up ? kLastRow : kFirstRow;
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
            plan.add(BmsWord(row), BmsWord(row + step));
            rowsToRefresh.push_back(row + step);
            rowsToSelect.push_back(row + step);
            if (!inBlock) {
                inBlock = true;
                blockStart = row;
            }
            if (row == lastOfWalk) {
                plan.add(BmsWord(blockStart + step), BmsWord(row));
                rowsToRefresh.push_back(row);
            }
        } else if (inBlock) {
            inBlock = false;
            plan.add(BmsWord(blockStart + step), BmsWord(row + step));
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
    for (int row = 0; row <= kLastRow; ++row) {
        if (page.isSelected(row)) {
            table.remove(BmsWord(row));
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
    for (int row = kFirstRow; row <= kLastRow; ++row) {
        if (!used[row] && table.remove(BmsWord(row)))
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
    int hole = kFirstRow;
    while (hole <= kLastRow && isOccupied(used, table, definedByHeaders, hole))
        ++hole;
    int next = hole;
    for (int row = hole; row <= kLastRow; ++row) {
        if (isOccupied(used, table, definedByHeaders, row))
            plan.add(BmsWord(row), BmsWord(next++));
    }
    plan.apply();
    page.refreshAll();
}
