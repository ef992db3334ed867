#include "gui/main_frame.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

#include "editing/definition_operations.h"
#include "gui/first_window.h"
#include "gui/number_headers.h"
#include "gui/usage_guide.h"
#include "gui/version_dialog.h"
#include "gui/window/message_decoding.h"
#include "gui/window_settings.h"
#include "resource_ids.h"

namespace {

struct HeaderField {
    const char* name;
    int labelId;
    int editId;
};

constexpr HeaderField kHeaderFields[MainFrame::kFieldCount] = {
    { "TITLE", ID_TITLE_LABEL, ID_TITLE_EDIT },
    { "GENRE", ID_GENRE_LABEL, ID_GENRE_EDIT },
    { "ARTIST", ID_ARTIST_LABEL, ID_ARTIST_EDIT },
    { "BPM", ID_BPM_LABEL, ID_BPM_EDIT },
    { "TOTAL", ID_TOTAL_LABEL, ID_TOTAL_EDIT },
};

HFONT createControlFont()
{
    return CreateFontA(12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, nullptr);
}

} // namespace

MainFrame::MainFrame(ListExchanger& plan, ShellState& shell, const char* settingsPath)
    : plan_(plan)
    , shell_(shell)
{
    std::snprintf(settingsPath_, sizeof settingsPath_, "%s", settingsPath);
}

MainFrame::~MainFrame()
{
    HeaderSet::resetFields();
}

bool MainFrame::onCreate()
{
    font_.reset(createControlFont());
    HFONT font = font_.get();

    background_ = std::make_unique<TtStatic>();
    background_->create(this, 0, instance());
    background_->setFont(font);
    background_->show();

    group_ = std::make_unique<TtGroup>();
    group_->create(this, 0, instance());
    group_->setFont(font);
    group_->setText("HEADERS");
    group_->show();

    HeaderSet::setHeaderTable(shell_.document->headerTable());
    HeaderSet::setFieldFont(font);
    for (int i = 0; i < kFieldCount; ++i)
        fields_[i] = std::make_unique<HeaderSet>(
            this, kHeaderFields[i].name, kHeaderFields[i].labelId, kHeaderFields[i].editId);

    tab_ = std::make_unique<TtTab>();
    tab_->create(this, ID_TAB, instance());
    tab_->setFont(font);
    tab_->show();

    listFont_.reset(createMessageBoxFont());
    createPage(kWavPage, kKindWav, ID_WAV_PAGE);
    pages_[kWavPage]->show();
    createPage(kBmpPage, kKindBmp, ID_BMP_PAGE);
    preview_ = std::make_unique<ImagePreview>();
    preview_->create(this, ID_IMAGE_PREVIEW, instance());
    tab_->placeBehind(*preview_);
    preview_->setFont(font);

    status_ = std::make_unique<TtStatusBar>();
    status_->create(this, ID_STATUS_BAR, instance());
    status_->setFont(font);
    status_->show();
    RECT client {};
    GetClientRect(handle(), &client);
    placeStatusParts(client.right);
    chartChanged();
    keepLayoutChoice_ = loadKeepLayout(settingsPath_);
    showKeepLayout();
    recent_.load(settingsPath_);
    showRecent();
    showFilter();
    return true;
}

void MainFrame::createPage(int index, DefinitionKind kind, int id)
{
    ListSet& page = *(pages_[index] = std::make_unique<ListSet>(*shell_.document, kind, plan_));
    page.create(this, id, instance());
    tab_->insertItem(index, page.table().name());
    // The pages lie over the tab's display area, in front of the tab.
    tab_->placeBehind(page);
    page.setFont(listFont_ ? listFont_.get() : font_.get());
    page.setHost(this);
}

LRESULT MainFrame::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DROPFILES:
        return dropFiles(droppedFiles(wParam));
    case WM_CLOSE:
        // Exit and the close box both end here; staying means not destroying the window.
        if (!confirmDiscard())
            return 0;
        break;
    case WM_ACTIVATEAPP:
        // Files may have come or gone while the user was elsewhere.
        if (wParam) {
            forgetFolder();
            refreshStatus();
        }
        break;
    default:
        break;
    }
    return TtApp::windowProc(message, wParam, lParam);
}

LRESULT MainFrame::onCommand(int id, int code, HWND)
{
    switch (id) {
    case ID_TITLE_EDIT:
    case ID_GENRE_EDIT:
    case ID_ARTIST_EDIT:
    case ID_BPM_EDIT:
    case ID_TOTAL_EDIT:
        return onHeaderEdit(id, code);
    case ID_WAV_PAGE:
    case ID_BMP_PAGE:
        // The status bar names the caret row's references and file; a double click renames it.
        if (code == LBN_DBLCLK) {
            renameCaretRow();
            return 0;
        }
        if (code != LBN_SELCHANGE)
            return NotHandled;
        showRowDetails();
        return 0;
    case ID_EDIT_RENAME:
        renameCaretRow();
        return 0;
    case ID_EDIT_HEADERS:
        editDialogHeaders();
        return 0;
    case ID_FILE_EXIT:
        close();
        return 0;
    case ID_FILE_NEW:
        if (confirmDiscard())
            newChart();
        return 0;
    case ID_FILE_OPEN:
        if (confirmDiscard())
            openChosenChart();
        return 0;
    case ID_FILE_SAVE_AS:
        saveChartAs();
        return 0;
    case ID_FILE_SAVE:
        saveCurrentChart();
        return 0;
    case ID_EDIT_UNDO:
    case ID_EDIT_REDO:
        takeStep(id == ID_EDIT_REDO);
        return 0;
    case ID_FILE_KEEP_LAYOUT:
        chooseKeepLayout(!keepsLayout());
        return 0;
    case ID_EDIT_SWAP_TOP_TWO:
        if (ListSet* page = selectedPage())
            runEdit(*page, [this, page] { swapTopTwoSelected(*page, plan_); });
        return 0;
    case ID_EDIT_UNREGISTER_UNUSED_WAV:
    case ID_EDIT_UNREGISTER_UNUSED_BMP: {
        ListSet& page = *pages_[id == ID_EDIT_UNREGISTER_UNUSED_BMP ? kBmpPage : kWavPage];
        runEdit(page, [&page] { unregisterUnreferenced(page); });
        return 0;
    }
    case ID_EDIT_COMPACT_WAV:
    case ID_EDIT_COMPACT_BMP: {
        ListSet& page = *pages_[id == ID_EDIT_COMPACT_BMP ? kBmpPage : kWavPage];
        runEdit(page, [this, &page] { compactIndices(page, plan_); });
        return 0;
    }
    case ID_EDIT_SELECT_ALL:
        selectAll();
        return 0;
    case ID_EDIT_FIND:
        findName();
        return 0;
    case ID_EDIT_FIND_NEXT:
        findNext();
        return 0;
    case ID_EDIT_GO_TO:
        goToIndex();
        return 0;
    case ID_VIEW_ALL_ROWS:
    case ID_VIEW_USED_ROWS:
    case ID_VIEW_UNUSED_ROWS:
    case ID_VIEW_NO_FILE_ROWS:
        chooseFilter(filterOfCommand(id));
        return 0;
    case ID_VIEW_NEXT_PAGE:
    case ID_VIEW_PREVIOUS_PAGE:
        switchPage(id == ID_VIEW_NEXT_PAGE ? 1 : -1);
        return 0;
    case ID_HELP_USAGE:
        showUsageGuide(handle());
        return 0;
    case ID_HELP_VERSION:
        showVersionDialog(instance(), handle());
        return 0;
    default:
        if (id >= ID_FILE_RECENT_FIRST && id < ID_FILE_RECENT_FIRST + RecentFiles::kCount) {
            openRecent(id - ID_FILE_RECENT_FIRST);
            return 0;
        }
        return NotHandled;
    }
}

LRESULT MainFrame::onHeaderEdit(int id, int code)
{
    if (code != EN_UPDATE)
        return NotHandled;
    // Storing the shown text back would cut long values to the path buffer and add
    // every absent key as an empty header.
    if (refreshingFields_)
        return 0;
    HeaderSet* field = HeaderSet::findField(id);
    if (!field)
        return 0;
    const BmsHeaderHash& headers = *shell_.document->headerTable();
    const BmsHeaderOne* entry = headers.find(field->key());
    const std::optional<std::string> before = entry ? std::optional<std::string>(entry->value()) : std::nullopt;
    field->store();
    markNumberField(*field, headers);
    history_.recordHeaderChange(field->key(), before, std::string(headers.get(field->key())));
    // Headers count for nothing in the status bar.
    showHistoryState();
    return 0;
}

LRESULT MainFrame::onNotify(int, NMHDR* header)
{
    if (header->idFrom != ID_TAB || header->code != static_cast<UINT>(TCN_SELCHANGE))
        return NotHandled;
    // A tab control without a selection keeps the page that was shown.
    const int selection = tab_->getCurSel();
    showPage(selection == kWavPage || selection == kBmpPage ? selection : shell_.currentPage);
    return 0;
}

void MainFrame::showPage(int index)
{
    if (tab_->getCurSel() != index)
        SendMessageA(tab_->handle(), TCM_SETCURSEL, index, 0);
    pages_[shell_.currentPage]->hide();
    shell_.currentPage = index;
    pages_[index]->show();
    preview_->show(index == kBmpPage ? SW_SHOWNA : SW_HIDE);
    refreshStatus();
}

LRESULT MainFrame::onSize(int, int width, int height)
{
    constexpr int kPaneWidth = HeaderSet::kPaneWidth;
    // The bar places itself along the bottom; the rest of the client lies above it.
    SendMessageA(status_->handle(), WM_SIZE, 0, 0);
    placeStatusParts(width);
    height -= status_->height();
    background_->move(0, 0, kPaneWidth, height);
    group_->move(0, 0, kPaneWidth, height);
    // No clamping: a client narrower than the pane gives the tab a negative width.
    tab_->move(kPaneWidth, 0, width - kPaneWidth, height);
    // The display area in the tab's coordinates; the tab's top is the window's.
    RECT area = tab_->displayRect();
    OffsetRect(&area, kPaneWidth, 0);
    placePages(area);
    return 0;
}

void MainFrame::showHeaderFields()
{
    refreshingFields_ = true;
    HeaderSet::refreshFields();
    refreshingFields_ = false;
    for (const auto& field : fields_)
        markNumberField(*field, *shell_.document->headerTable());
}

void MainFrame::placeStatusParts(int width)
{
    // The counts, and at the right the caret row's references.
    constexpr int kReferencesWidth = 140;
    const int parts[] = { std::max(0, width - kReferencesWidth), -1 };
    SendMessageA(status_->handle(), SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
}

LRESULT MainFrame::onDestroy()
{
    saveWindowPlacement(handle(), settingsPath_);
    if (keepLayoutChoice_)
        saveKeepLayout(*keepLayoutChoice_, settingsPath_);
    recent_.save(settingsPath_);
    return TtApp::onDestroy();
}

void MainFrame::refreshFromDocument()
{
    HeaderSet::setHeaderTable(shell_.document->headerTable());
    forgetFolder();
    // Each list is filled once, with its marks, and the status bar counts from them.
    const PageMarks marks = markPages();
    for (int index = 0; index < static_cast<int>(pages_.size()); ++index)
        pages_[index]->showDocument(*shell_.document, marks[index]);
    showCaption();
    showHeaderFields();
    for (const auto& page : pages_)
        page->showFromTop();
    history_.clear();
    preview_->showText("");
    showHistoryState();
    showCounts();
}

ListSet* MainFrame::selectedPage()
{
    const int selection = tab_->getCurSel();
    if (selection != kWavPage && selection != kBmpPage)
        return nullptr;
    return pages_[selection].get();
}

void MainFrame::chooseKeepLayout(bool keepLayout)
{
    keepLayoutChoice_ = keepLayout;
    showKeepLayout();
}

void MainFrame::showKeepLayout()
{
    CheckMenuItem(GetMenu(handle()), ID_FILE_KEEP_LAYOUT, MF_BYCOMMAND | (keepsLayout() ? MF_CHECKED : MF_UNCHECKED));
}
