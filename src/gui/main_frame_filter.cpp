// The View menu's filters: both lists show only the rows of one state, and the caption
// says which while one is on. The chart is never changed by them.

#include "gui/main_frame.h"
#include "resource_ids.h"

namespace {

// The radio items of the View menu, in the order of their ids, with the caption's word
// for each: the item's own text.
constexpr struct {
    RowFilter filter;
    const char* mark;
} kFilters[] = {
    { RowFilter::All, "" },
    { RowFilter::Used, "  [使用中のみ]" },
    { RowFilter::Unused, "  [未使用のみ]" },
    { RowFilter::NoFile, "  [ファイルなしのみ]" },
};

int itemOfFilter(RowFilter filter)
{
    int item = 0;
    while (kFilters[item].filter != filter)
        ++item;
    return item;
}

} // namespace

void MainFrame::chooseFilter(RowFilter filter)
{
    rowFilter_ = filter;
    for (const auto& page : pages_)
        page->setFilter(filter);
    showFilter();
    showCaption();
    // The caret may have gone to another row.
    showRowDetails();
}

void MainFrame::showFilter()
{
    CheckMenuRadioItem(GetMenu(handle()), ID_VIEW_ALL_ROWS, ID_VIEW_NO_FILE_ROWS,
        ID_VIEW_ALL_ROWS + itemOfFilter(rowFilter_), MF_BYCOMMAND);
}

RowFilter MainFrame::filterOfCommand(int id)
{
    return kFilters[id - ID_VIEW_ALL_ROWS].filter;
}

const char* MainFrame::filterMark() const
{
    return kFilters[itemOfFilter(rowFilter_)].mark;
}
