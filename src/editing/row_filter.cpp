#include "editing/row_filter.h"

bool showsRow(RowFilter filter, const RowMarks& marks, int row)
{
    const auto at = static_cast<std::size_t>(row);
    switch (filter) {
    case RowFilter::Used:
        return marks.references[at] > 0;
    case RowFilter::Unused:
        return (marks.marks[at] & kMarkUnused) != 0;
    case RowFilter::NoFile:
        return (marks.marks[at] & kMarkNoFile) != 0;
    case RowFilter::All:
        break;
    }
    return true;
}
