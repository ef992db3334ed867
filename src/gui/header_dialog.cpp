#include "gui/header_dialog.h"

#include "gui/modal_dialog.h"
#include "resource_ids.h"

namespace {

int editId(std::size_t key)
{
    return ID_HEADER_DIALOG_FIRST_EDIT + static_cast<int>(key);
}

} // namespace

std::optional<DialogHeaderValues> askHeaders(HINSTANCE instance, HWND owner, const DialogHeaderValues& values)
{
    std::optional<DialogHeaderValues> answer;
    const auto fill = [&](HWND dialog) {
        for (std::size_t key = 0; key < kDialogHeaderKeys.size(); ++key)
            SetDlgItemTextA(dialog, editId(key), values[key].c_str());
    };
    const auto read = [&](HWND dialog) {
        answer.emplace();
        for (std::size_t key = 0; key < kDialogHeaderKeys.size(); ++key)
            (*answer)[key] = dialogItemText(dialog, editId(key));
    };
    runModalDialog(instance, HEADER_DIALOG_NAME, owner, fill, read);
    return answer;
}
