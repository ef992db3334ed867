#include "editing/row_filter.h"

bool showsRow(RowFilter filter, const RowMarks& marks, BmsWord index)
{
    const auto at = static_cast<std::size_t>(index.value());
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
