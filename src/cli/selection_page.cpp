#include "cli/selection_page.h"

bool SelectionPage::isSelected(int row)
{
    return isRow(row) && selected_.test(static_cast<size_t>(row));
}

void SelectionPage::select(int row)
{
    if (isRow(row)) {
        selected_.set(static_cast<size_t>(row));
    }
}

void SelectionPage::refreshRow(int row)
{
    if (isRow(row)) {
        selected_.reset(static_cast<size_t>(row));
    }
}
