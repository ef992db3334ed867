// The keys that move around the window: switching pages and selecting every row.

#include <cstring>

#include "gui/main_frame.h"

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
