#include "gui/dialog_text.h"

#include <vector>

std::string dialogItemText(HWND dialog, int id)
{
    HWND item = GetDlgItem(dialog, id);
    std::vector<char> text(static_cast<std::size_t>(GetWindowTextLengthA(item)) + 1);
    GetWindowTextA(item, text.data(), static_cast<int>(text.size()));
    return std::string(text.data());
}
