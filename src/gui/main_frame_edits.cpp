#include <cstdio>

#include "editing/definition_counts.h"
#include "editing/row_marks.h"
#include "gui/chart_messages.h"
#include "gui/main_frame.h"
#include "gui/window/wait_cursor.h"
#include "quelmarn_version.h"
#include "resource_ids.h"

// The editing side of the main window: every change of the chart becomes a step of its
// history, and caption, menu and status bar follow the chart.

void MainFrame::runEdit(ListSet& page, const std::function<void()>& operation)
{
    const WaitCursor wait;
    BmsBms& document = *shell_.document;
    history_.beginTableChange(document, page.kind(), plan_);
    bool changed = false;
    {
        // The list is painted once, after every row the operation touched and the marks
        // and filtered rows that follow from the change; the selection the operation
        // made and its caret are placed over those.
        const RedrawHold hold(page);
        operation();
        changed = history_.endTableChange(document, plan_);
        if (changed)
            refreshMarks();
    }
    if (changed) {
        showHistoryState();
        showCounts();
    }
}

bool MainFrame::offerBase62()
{
    if (MessageBoxA(handle(), base62Question().c_str(), "確認", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return false;
    const BaseSwitch result = history_.switchBase(*shell_.document, IndexBase::kCaseSensitiveRadix);
    if (!result.switched) {
        MessageBoxA(handle(), base62Refusal(result.refusals).c_str(), QUELMARN_NAME, MB_ICONWARNING);
        return false;
    }
    showBaseChange();
    return true;
}

// Both lists take the rows of the chart's base.
void MainFrame::showBaseChange()
{
    for (const auto& page : pages_)
        page->refreshAll();
    chartChanged();
}

void MainFrame::showStatus(const std::string& text)
{
    statusMessage_ = text;
    showStatusText();
}

void MainFrame::takeStep(bool forward)
{
    const WaitCursor wait;
    BmsBms& document = *shell_.document;
    const EditStep* step = forward ? history_.redo(document, plan_) : history_.undo(document, plan_);
    if (!step)
        return;
    if (!step->headers.empty())
        showHeaderFields();
    if (step->base)
        showBaseChange();
    if (step->changesTable()) {
        // Showing the page counts its table anew.
        const int index = pageOfKind(step->kind);
        showPage(index);
        ListSet& page = *pages_[index];
        // Every touched row is replaced and selected, and the list painted once at the end.
        const RedrawHold hold(page);
        page.clearSelection();
        const std::vector<int> rows = step->touchedRows(page.table());
        for (int row : rows)
            page.refreshRow(row);
        for (int row : rows)
            page.select(row);
        page.placeCaret(rows.front());
    }
    showHistoryState();
}

void MainFrame::chartChanged()
{
    showHistoryState();
    refreshStatus();
}

void MainFrame::showHistoryState()
{
    showCaption();
    HMENU menu = GetMenu(handle());
    if (!menu)
        return;
    EnableMenuItem(menu, ID_EDIT_UNDO, MF_BYCOMMAND | (history_.canUndo() ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(menu, ID_EDIT_REDO, MF_BYCOMMAND | (history_.canRedo() ? MF_ENABLED : MF_GRAYED));
}

MainFrame::PageMarks MainFrame::markPages()
{
    FileLookup* files = chartFiles();
    PageMarks marks;
    for (int index = 0; index < static_cast<int>(pages_.size()); ++index)
        marks[index] = markRows(*shell_.document, kindOfPage(index), files);
    return marks;
}

void MainFrame::refreshStatus()
{
    refreshMarks();
    showCounts();
}

void MainFrame::refreshMarks()
{
    const PageMarks marks = markPages();
    for (int index = 0; index < static_cast<int>(pages_.size()); ++index)
        pages_[index]->showMarks(marks[index]);
}

void MainFrame::showCounts()
{
    // The marks hold every count of the page on top.
    ListSet& page = *pages_[shell_.currentPage];
    const RowMarks& shown = page.marks();
    const std::optional<int> missing
        = folderFiles_ ? std::optional<int>(countMarked(shown, kMarkNoFile)) : std::nullopt;
    statusCounts_ = definitionSummary(countDefinitions(page.table(), shown.references), missing);
    statusMessage_.clear();
    showStatusText();
}

void MainFrame::showStatusText()
{
    ListSet& page = *pages_[shell_.currentPage];
    const int row = page.caretRow();
    const BmsWord index = page.wordAt(row);
    char references[32];
    std::snprintf(references, sizeof references, "%c%c: 参照 %d", index.high(), index.low(), page.references(row));
    // The references have the bar's second part, right of the counts.
    SendMessageA(status_->handle(), SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(references));
    const std::string text = statusMessage_.empty() ? statusCounts_ : statusCounts_ + "   " + statusMessage_;
    status_->setText(text.c_str());
}

void MainFrame::forgetFolder()
{
    folderFiles_.reset();
    folder_.reset();
}
