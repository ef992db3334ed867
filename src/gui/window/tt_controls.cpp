#include "gui/window/tt_controls.h"

int TtList::caretIndex()
{
    return static_cast<int>(SendMessageA(handle(), LB_GETCARETINDEX, 0, 0));
}

void TtList::setCaretAndAnchor(int index)
{
    SendMessageA(handle(), LB_SETANCHORINDEX, index, 0);
    SendMessageA(handle(), LB_SETCARETINDEX, index, FALSE);
}

LRESULT TtList::insertString(int index, const char* text)
{
    return SendMessageA(handle(), LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text));
}

LRESULT TtList::deleteString(int index)
{
    return SendMessageA(handle(), LB_DELETESTRING, index, 0);
}

bool TtList::isSelected(int index)
{
    return SendMessageA(handle(), LB_GETSEL, index, 0) != 0;
}

LRESULT TtList::select(int index)
{
    return SendMessageA(handle(), LB_SETSEL, TRUE, index);
}

LRESULT TtTab::insertItem(int index, const char* text)
{
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    // The control copies the text; it is never written through this pointer.
    item.pszText = const_cast<char*>(text);
    return SendMessageA(handle(), TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item));
}

int TtTab::getCurSel()
{
    return static_cast<int>(SendMessageA(handle(), TCM_GETCURSEL, 0, 0));
}

RECT TtTab::displayRect()
{
    RECT rect = {};
    GetClientRect(handle(), &rect);
    SendMessageA(handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

int TtStatusBar::height()
{
    RECT bounds {};
    GetWindowRect(handle(), &bounds);
    return bounds.bottom - bounds.top;
}
