#include "gui/input_dialog.h"

#include "gui/dialog_text.h"
#include "resource_ids.h"

namespace {

struct Request {
    const char* caption;
    const std::string* text;
    std::optional<std::string> answer;
};

INT_PTR CALLBACK inputProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        const auto* request = reinterpret_cast<Request*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SetWindowTextA(dialog, request->caption);
        SetDlgItemTextA(dialog, ID_INPUT_EDIT, request->text->c_str());
        SendDlgItemMessageA(dialog, ID_INPUT_EDIT, EM_SETSEL, 0, -1);
        // The edit gets the focus, as the dialog manager gives it to the first control.
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            auto* request = reinterpret_cast<Request*>(GetWindowLongPtrA(dialog, DWLP_USER));
            request->answer = dialogItemText(dialog, ID_INPUT_EDIT);
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

std::optional<std::string> askLine(HINSTANCE instance, HWND owner, const char* caption, const std::string& text)
{
    Request request { caption, &text, std::nullopt };
    DialogBoxParamA(instance, INPUT_DIALOG_NAME, owner, inputProc, reinterpret_cast<LPARAM>(&request));
    return request.answer;
}
