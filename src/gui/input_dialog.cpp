#include "gui/input_dialog.h"

#include "gui/modal_dialog.h"
#include "resource_ids.h"

std::optional<std::string> askLine(HINSTANCE instance, HWND owner, const char* caption, const std::string& text)
{
    std::optional<std::string> answer;
    const auto fill = [&](HWND dialog) {
        SetWindowTextA(dialog, caption);
        SetDlgItemTextA(dialog, ID_INPUT_EDIT, text.c_str());
        SendDlgItemMessageA(dialog, ID_INPUT_EDIT, EM_SETSEL, 0, -1);
    };
    const auto read = [&](HWND dialog) { answer = dialogItemText(dialog, ID_INPUT_EDIT); };
    runModalDialog(instance, INPUT_DIALOG_NAME, owner, fill, read);
    return answer;
}
