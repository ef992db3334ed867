// The marks of a list page's rows.

#include "gui/list_set.h"

void ListSet::showMarks(const RowMarks& marks)
{
    const RowMarks shown = marks_;
    marks_ = marks;
    RedrawHold hold(*this);
    const int caret = caretRow();
    bool replaced = false;
    const int rows = rowCount();
    for (int row = 0; row < rows; ++row) {
        const auto at = static_cast<std::size_t>(wordAt(row).value());
        if (shown.marks[at] == marks.marks[at])
            continue;
        const bool selected = isSelected(row);
        refreshRow(row);
        if (selected)
            select(row);
        replaced = true;
    }
    // A replaced row may have taken the caret along; the gathered selections are made
    // now so that the hold's end leaves the caret here.
    if (replaced)
        placeCaret(caret);
}
