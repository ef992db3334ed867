// The keys that move around the window: switching pages, selecting every row, finding a
// file name and going to an index.

#include <cstring>

#include "gui/input_dialog.h"
#include "gui/main_frame.h"
#include "gui/row_search.h"

void MainFrame::switchPage(int step)
{
    const int count = static_cast<int>(pages_.size());
    showPage(((shell_.currentPage + step) % count + count) % count);
    SetFocus(pages_[shell_.currentPage]->handle());
}

void MainFrame::selectAll()
{
    // Ctrl+A is a key of the whole window, but in a header field it means that field's text.
    HWND focus = GetFocus();
    char name[16] = {};
    if (focus && GetParent(focus) == handle() && GetClassNameA(focus, name, sizeof name)
        && _stricmp(name, "EDIT") == 0) {
        SendMessageA(focus, EM_SETSEL, 0, -1);
        return;
    }
    ListSet& page = *pages_[shell_.currentPage];
    RedrawHold hold(page);
    SendMessageA(page.handle(), LB_SETSEL, TRUE, -1);
}

void MainFrame::findName()
{
    const std::optional<std::string> text = askLine(instance(), handle(), "ファイル名を検索", findText_);
    if (!text || text->empty())
        return;
    findText_ = *text;
    findNext();
}

void MainFrame::findNext()
{
    if (findText_.empty()) {
        findName();
        return;
    }
    ListSet& page = *pages_[shell_.currentPage];
    // Under a filter only the rows shown are searched.
    const int row
        = findRowWithName(page.table(), findText_, page.caretRow(), [&page](int r) { return page.isShown(r); });
    if (row < 0) {
        showStatus(findText_ + " を含むファイル名はありません");
        return;
    }
    page.jumpTo(row);
    SetFocus(page.handle());
}

void MainFrame::goToIndex()
{
    const std::optional<std::string> text = askLine(instance(), handle(), "インデックスへ移動", "");
    if (!text)
        return;
    ListSet& page = *pages_[shell_.currentPage];
    const int row = rowOfIndex(*text, page.table());
    if (row < 0) {
        showStatus(*text + " はインデックスではありません");
        return;
    }
    if (!page.jumpTo(row)) {
        showStatus(hiddenRowMessage(page.wordAt(row)));
        return;
    }
    SetFocus(page.handle());
}
