#include "gui/header_dialog.h"

#include "gui/dialog_text.h"
#include "resource_ids.h"

namespace {

struct Request {
    const DialogHeaderValues* values;
    std::optional<DialogHeaderValues> answer;
};

int editId(std::size_t key)
{
    return ID_HEADER_DIALOG_FIRST_EDIT + static_cast<int>(key);
}

INT_PTR CALLBACK headerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        const auto* request = reinterpret_cast<Request*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        for (std::size_t key = 0; key < kDialogHeaderKeys.size(); ++key)
            SetDlgItemTextA(dialog, editId(key), (*request->values)[key].c_str());
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            auto* request = reinterpret_cast<Request*>(GetWindowLongPtrA(dialog, DWLP_USER));
            DialogHeaderValues answer;
            for (std::size_t key = 0; key < kDialogHeaderKeys.size(); ++key)
                answer[key] = dialogItemText(dialog, editId(key));
            request->answer = std::move(answer);
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

std::optional<DialogHeaderValues> askHeaders(HINSTANCE instance, HWND owner, const DialogHeaderValues& values)
{
    Request request { &values, std::nullopt };
    DialogBoxParamA(instance, HEADER_DIALOG_NAME, owner, headerProc, reinterpret_cast<LPARAM>(&request));
    return request.answer;
}
