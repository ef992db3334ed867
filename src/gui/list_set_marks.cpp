// The marks of a list page's rows, and the filter that shows only the rows of one state;
// the one place where rows are laid out on the list box's positions.

#include <algorithm>
#include <vector>

#include "gui/list_set.h"

void ListSet::showMarks(const RowMarks& marks)
{
    showRows(marks, filter_);
}

void ListSet::setFilter(RowFilter filter)
{
    showRows(marks_, filter);
}

void ListSet::mapRows()
{
    positions_.assign(static_cast<std::size_t>(rowCount()), -1);
    indices_.clear();
    for (int row = 0; row < rowCount(); ++row) {
        if (!showsRow(filter_, marks_, wordAt(row)))
            continue;
        positions_[static_cast<std::size_t>(row)] = shownCount();
        indices_.push_back(row);
    }
}

int ListSet::positionNear(int row) const
{
    if (indices_.empty())
        return -1;
    const auto next = std::lower_bound(indices_.begin(), indices_.end(), row);
    return next == indices_.end() ? shownCount() - 1 : static_cast<int>(next - indices_.begin());
}

void ListSet::showRows(const RowMarks& marks, RowFilter filter)
{
    const RowMarks shown = marks_;
    marks_ = marks;
    filter_ = filter;
    RedrawHold hold(*this);
    const int caret = caretRow();
    bool changed = false;
    std::vector<int> reselected;
    // Rows before the one at hand are laid out anew, those from it on as before: the
    // position is where the row's item is or goes.
    int position = 0;
    for (int row = 0; row < rowCount(); ++row) {
        const BmsWord index = wordAt(row);
        const auto at = static_cast<std::size_t>(index.value());
        const bool wasShown = isShown(row);
        const bool shows = showsRow(filter, marks, index);
        if (wasShown && !shows) {
            deleteString(position);
            changed = true;
        } else if (shows && !wasShown) {
            setItem(position++, row, false);
            changed = true;
        } else if (shows && shown.marks[at] != marks.marks[at]) {
            // Selected again after the pass rather than gathered: what an edit gathered
            // is made when its hold ends, with the caret where the edit left it. Items
            // before the position keep theirs, so the positions hold; one range a run
            // costs far less than selecting each item, which took half a second on 3844 rows.
            if (TtList::isSelected(position))
                reselected.push_back(position);
            setItem(position, row, true);
            ++position;
            changed = true;
        } else if (shows) {
            ++position;
        }
    }
    selectPositions(reselected);
    mapRows();
    // Replacing, inserting and deleting items may have taken the caret along.
    if (const int caretPosition = positionNear(caret); changed && caretPosition >= 0)
        setCaretAndAnchor(caretPosition);
}

void ListSet::selectPositions(const std::vector<int>& positions)
{
    // One message a run of neighbouring positions.
    for (std::size_t first = 0; first < positions.size();) {
        std::size_t last = first;
        while (last + 1 < positions.size() && positions[last + 1] == positions[last] + 1)
            ++last;
        SendMessageA(handle(), LB_SELITEMRANGEEX, positions[first], positions[last]);
        first = last + 1;
    }
}
