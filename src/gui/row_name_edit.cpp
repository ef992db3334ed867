#include "gui/row_name_edit.h"

#include <algorithm>
#include <vector>

bool RowNameEdit::onCreate()
{
    subclass();
    return true;
}

void RowNameEdit::begin(TtList& list, int position, const std::string& text, Confirm confirm)
{
    if (!handle() && !create(&list, 0, list.instance()))
        return;
    RECT row {};
    SendMessageA(list.handle(), LB_GETITEMRECT, position, reinterpret_cast<LPARAM>(&row));
    setFont(reinterpret_cast<HFONT>(SendMessageA(list.handle(), WM_GETFONT, 0, 0)));
    // Tall enough for the font with its border, the row's height at the least.
    const int height = std::max<int>(row.bottom - row.top, 8) + 4;
    move(row.left, row.top - 2, row.right - row.left, height);
    confirm_ = std::move(confirm);
    ++edit_;
    setText(text.c_str());
    SendMessageA(handle(), EM_SETSEL, 0, -1);
    show();
    SetFocus(handle());
}

void RowNameEdit::end(bool confirmed)
{
    finish(confirmed, true);
}

void RowNameEdit::finish(bool confirmed, bool focusList)
{
    if (!confirm_)
        return;
    const Confirm confirm = std::move(confirm_);
    confirm_ = nullptr;
    std::vector<char> text(static_cast<std::size_t>(GetWindowTextLengthA(handle())) + 1);
    getText(text.data(), static_cast<int>(text.size()));
    if (focusList)
        SetFocus(parent()->handle());
    hide();
    if (confirmed)
        confirm(text.data());
}

LRESULT RowNameEdit::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
            end(wParam == VK_RETURN);
            return 0;
        }
        break;
    case WM_CHAR:
        // The keys that end the edit would only beep.
        if (wParam == '\r' || wParam == 0x1B)
            return 0;
        break;
    case WM_KILLFOCUS:
        if (editing())
            PostMessageA(handle(), kEndAfterFocusLeft, edit_, 0);
        break;
    case kEndAfterFocusLeft:
        if (wParam == edit_)
            finish(true, false);
        return 0;
    default:
        break;
    }
    return TtEdit::windowProc(message, wParam, lParam);
}
