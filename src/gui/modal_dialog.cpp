#include "gui/modal_dialog.h"

#include <vector>

namespace {

struct Handlers {
    const std::function<void(HWND)>& fill;
    const std::function<void(HWND)>& read;
};

INT_PTR CALLBACK modalProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        reinterpret_cast<Handlers*>(lParam)->fill(dialog);
        // The first control gets the focus from the dialog manager.
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            reinterpret_cast<Handlers*>(GetWindowLongPtrA(dialog, DWLP_USER))->read(dialog);
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

bool runModalDialog(HINSTANCE instance, const char* templateName, HWND owner, const std::function<void(HWND)>& fill,
    const std::function<void(HWND)>& read)
{
    Handlers handlers { fill, read };
    return DialogBoxParamA(instance, templateName, owner, modalProc, reinterpret_cast<LPARAM>(&handlers)) == IDOK;
}

std::string dialogItemText(HWND dialog, int id)
{
    HWND item = GetDlgItem(dialog, id);
    std::vector<char> text(static_cast<std::size_t>(GetWindowTextLengthA(item)) + 1);
    GetWindowTextA(item, text.data(), static_cast<int>(text.size()));
    return std::string(text.data());
}
