// Renaming a row's file name in place.

#include <string>

#include "gui/main_frame.h"

void MainFrame::renameCaretRow()
{
    ListSet& page = *pages_[shell_.currentPage];
    const int row = page.caretRow();
    page.editName(row, [this, &page, row](const std::string& name) { renameRow(page, row, name); });
}

void MainFrame::renameRow(ListSet& page, int row, const std::string& name)
{
    const BmsWord id = page.wordAt(row);
    if (name == page.table().get(id))
        return;
    if (name.empty() && page.references(row) > 0) {
        const std::string question
            = std::string { id.high(), id.low() } + " は譜面で使われています。登録を解除しますか？";
        if (MessageBoxA(handle(), question.c_str(), "確認", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
            return;
    }
    runEdit(page, [&] {
        if (name.empty())
            page.table().remove(id);
        else
            page.table().set(id, name.c_str());
        page.refreshRow(row);
        page.select(row);
    });
}
