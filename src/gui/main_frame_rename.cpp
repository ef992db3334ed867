// Renaming a row's file name in place.

#include <optional>
#include <string>

#include "gui/input_dialog.h"
#include "gui/main_frame.h"

void MainFrame::renameCaretRow()
{
    ListSet& page = *pages_[shell_.currentPage];
    const int row = page.caretRow();
    const BmsWord id = page.wordAt(row);
    const std::string before = page.table().get(id);
    const std::optional<std::string> name = askLine(instance(), handle(), "ファイル名の変更", before);
    if (!name || *name == before)
        return;
    if (name->empty() && page.references(row) > 0) {
        const std::string question
            = std::string { id.high(), id.low() } + " は譜面で使われています。登録を解除しますか？";
        if (MessageBoxA(handle(), question.c_str(), "確認", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
            return;
    }
    runEdit(page, [&] {
        if (name->empty())
            page.table().remove(id);
        else
            page.table().set(id, name->c_str());
        page.refreshRow(row);
        page.select(row);
    });
    SetFocus(page.handle());
}
