// The File menu's recent files.

#include <string>

#include "gui/main_frame.h"
#include "quelmarn_version.h"
#include "resource_ids.h"

void MainFrame::rememberRecent(const char* path)
{
    recent_.add(path);
    showRecent();
}

void MainFrame::openRecent(int index)
{
    if (index >= static_cast<int>(recent_.paths().size()))
        return;
    // The list changes when the chart opens.
    const std::string path = recent_.paths()[index];
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        recent_.remove(index);
        showRecent();
        MessageBoxA(
            handle(), (path + " が見つからないため、一覧から外しました。").c_str(), QUELMARN_NAME, MB_ICONWARNING);
        return;
    }
    if (confirmDiscard())
        openChart(path.c_str());
}

void MainFrame::showRecent()
{
    recent_.showIn(GetSubMenu(GetMenu(handle()), 0), ID_FILE_RECENT_FIRST, ID_FILE_EXIT);
}
