#include "gui/main_frame.h"

#include <cstdio>
#include <optional>
#include <string>

#include "bms/bms_input.h"
#include "bms/bms_reader.h"
#include "bms/bms_writer.h"
#include "bms/layout_check.h"
#include "bms/parse_result.h"
#include "editing/definition_operations.h"
#include "gui/chart_messages.h"
#include "gui/file_dialogs.h"
#include "gui/path_parts.h"
#include "gui/version_dialog.h"
#include "gui/window_settings.h"
#include "resource_ids.h"

namespace {

constexpr const char* kProgramName = "Quelmarn";

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

// The drive and directory of a path, with the trailing separator.
std::string directoryOf(const char* path)
{
    char directory[kPathBufferSize];
    std::snprintf(directory, sizeof directory, "%s", path);
    keepPathParts(directory, true, true, false, false);
    return directory;
}

HFONT createControlFont()
{
    return CreateFontA(12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, nullptr);
}

} // namespace

MainFrame::MainFrame(ListExchanger& plan, const char* settingsPath)
    : plan_(plan)
{
    std::snprintf(settingsPath_, sizeof settingsPath_, "%s", settingsPath);
}

MainFrame::~MainFrame()
{
    HeaderSet::resetFields();
}

bool MainFrame::onCreate()
{
    ShellState& shell = ShellState::instance();
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

    HeaderSet::setHeaderTable(shell.document->headerTable());
    HeaderSet::setFieldFont(font);
    for (int i = 0; i < kFieldCount; ++i)
        fields_[i] = std::make_unique<HeaderSet>(
            this, kHeaderFields[i].name, kHeaderFields[i].labelId, kHeaderFields[i].editId);

    tab_ = std::make_unique<TtTab>();
    tab_->create(this, ID_TAB, instance());
    tab_->setFont(font);
    tab_->show();

    createPage(kWavPage, kKindWav, ID_WAV_PAGE);
    pages_[kWavPage]->show();
    createPage(kBmpPage, kKindBmp, ID_BMP_PAGE);

    status_ = std::make_unique<TtStatusBar>();
    status_->create(this, ID_STATUS_BAR, instance());
    status_->setFont(font);
    status_->show();
    chartChanged();
    return true;
}

void MainFrame::createPage(int index, int kind, int id)
{
    ListSet& page = *(pages_[index] = std::make_unique<ListSet>(*ShellState::instance().document, kind, plan_));
    page.create(this, id, instance());
    tab_->insertItem(index, page.table().name());
    // The pages lie over the tab's display area, in front of the tab.
    tab_->placeBehind(page);
    page.setFont(font_.get());
    page.setHost(this);
}

LRESULT MainFrame::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DROPFILES:
        return dropFiles(reinterpret_cast<HDROP>(wParam));
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
    case ID_HELP_USAGE:
        MessageBoxA(handle(), "一緒にあるテキストファイルをみて", "使い方は", MB_ICONINFORMATION);
        return 0;
    case ID_HELP_VERSION:
        showVersionDialog(instance(), handle());
        return 0;
    default:
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
    const BmsHeaderHash& headers = *ShellState::instance().document->headerTable();
    const BmsHeaderOne* entry = headers.find(field->key());
    const std::optional<std::string> before = entry ? std::optional<std::string>(entry->value()) : std::nullopt;
    field->store();
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
    showPage(selection == kWavPage || selection == kBmpPage ? selection : ShellState::instance().currentPage);
    return 0;
}

void MainFrame::showPage(int index)
{
    ShellState& shell = ShellState::instance();
    if (tab_->getCurSel() != index)
        SendMessageA(tab_->handle(), TCM_SETCURSEL, index, 0);
    pages_[shell.currentPage]->hide();
    shell.currentPage = index;
    pages_[index]->show();
    refreshStatus();
}

LRESULT MainFrame::onSize(int, int width, int height)
{
    constexpr int kPaneWidth = HeaderSet::kPaneWidth;
    // The bar places itself along the bottom; the rest of the client lies above it.
    SendMessageA(status_->handle(), WM_SIZE, 0, 0);
    height -= status_->height();
    background_->move(0, 0, kPaneWidth, height);
    group_->move(0, 0, kPaneWidth, height);
    // No clamping: a client narrower than the pane gives the tab a negative width.
    tab_->move(kPaneWidth, 0, width - kPaneWidth, height);
    // The display area in the tab's coordinates; the tab's top is the window's.
    const RECT area = tab_->displayRect();
    for (const auto& page : pages_)
        page->moveToRect(area.left + kPaneWidth, area.top, area.right + kPaneWidth, area.bottom);
    return 0;
}

LRESULT MainFrame::onDestroy()
{
    saveWindowPlacement(handle(), settingsPath_);
    return TtApp::onDestroy();
}

void MainFrame::refreshFromDocument()
{
    ShellState& shell = ShellState::instance();
    HeaderSet::setHeaderTable(shell.document->headerTable());
    for (const auto& page : pages_)
        page->setDocument(*shell.document);
    showCaption();
    refreshingFields_ = true;
    HeaderSet::refreshFields();
    refreshingFields_ = false;
    for (const auto& page : pages_) {
        page->refreshAll();
        page->showFromTop();
    }
    history_.clear();
    forgetFolder();
    chartChanged();
}

void MainFrame::showCaption()
{
    ShellState& shell = ShellState::instance();
    std::snprintf(shell.pathBuffer, sizeof shell.pathBuffer, "%s  %s%s", kProgramName, shell.fileName,
        history_.isModified() ? " *" : "");
    setText(shell.pathBuffer);
}

bool MainFrame::confirmDiscard()
{
    if (!history_.isModified())
        return true;
    const ShellState& shell = ShellState::instance();
    const std::string question = unsavedChangesQuestion(shell.fileName);
    switch (MessageBoxA(handle(), question.c_str(), "確認", MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
        return saveCurrentChart();
    case IDNO:
        return true;
    default:
        return false;
    }
}

void MainFrame::openDroppedChart(const char* path)
{
    // The question's save may reuse the buffer that holds the path.
    const std::string chart = path;
    if (confirmDiscard())
        openChart(chart.c_str());
}

void MainFrame::newChart()
{
    ShellState& shell = ShellState::instance();
    shell.document = std::make_unique<BmsBms>();
    shell.fileName[0] = '\0';
    caseSharedDefinitions_ = 0;
    refreshFromDocument();
}

void MainFrame::openChosenChart()
{
    char* path = ShellState::instance().pathBuffer;
    if (!chooseOpenPath(handle(), path, kPathBufferSize, dialogFolder()))
        return;
    rememberDialogFolder(path);
    openChart(path);
}

bool MainFrame::openChart(const char* path)
{
    std::unique_ptr<BmsBms> document;
    BmsReader reader;
    reader.setNoticeSink([](const char*) {});
    if (!reader.read(path, document)) {
        showOpenError();
        return false;
    }
    ShellState::instance().document = std::move(document);
    rememberChartPath(path);
    refreshFromDocument();
    noticeCaseFolding(path);
    return true;
}

void MainFrame::noticeCaseFolding(const char* path)
{
    caseSharedDefinitions_ = 0;
    if (findUnkeptBase(*ShellState::instance().document).empty())
        return;
    std::string bytes;
    if (loadChartFile(path, bytes))
        caseSharedDefinitions_ = countCaseSharedDefinitions(bytes);
    MessageBoxA(handle(), caseFoldingNotice(caseSharedDefinitions_).c_str(), kProgramName, MB_ICONWARNING);
}

void MainFrame::showOpenError()
{
    char* text = ShellState::instance().pathBuffer;
    std::snprintf(text, kPathBufferSize, "line %d : %s", errorLine(), errorMessage());
    MessageBoxA(handle(), text, "BMSファイル解析失敗", MB_ICONERROR);
}

bool MainFrame::saveChart(const char* path)
{
    const BmsBms& document = *ShellState::instance().document;
    // No is the default: Enter alone must not destroy what the chart plays.
    const std::string question = saveLossQuestion(document, caseSharedDefinitions_);
    if (!question.empty()
        && MessageBoxA(handle(), question.c_str(), "確認", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
        return false;
    if (!writeChart(path, document)) {
        MessageBoxA(handle(), "BMSファイルの保存に失敗しました。", "ERROR", MB_ICONERROR);
        return false;
    }
    rememberChartPath(path);
    history_.markSaved();
    // The chart may have moved to another folder.
    forgetFolder();
    chartChanged();
    return true;
}

bool MainFrame::saveCurrentChart()
{
    const char* fileName = ShellState::instance().fileName;
    return fileName[0] != '\0' ? saveChart(fileName) : saveChartAs();
}

bool MainFrame::saveChartAs()
{
    ShellState& shell = ShellState::instance();
    char* path = shell.pathBuffer;
    std::snprintf(path, kPathBufferSize, "%s", shell.fileName);
    keepPathParts(path, false, false, true, true);
    if (!chooseSavePath(handle(), path, kPathBufferSize, dialogFolder(), path))
        return false;
    rememberDialogFolder(path);
    return saveChart(path);
}

const char* MainFrame::dialogFolder() const
{
    const ShellState& shell = ShellState::instance();
    return shell.fileName[0] != '\0' || shell.dialogFolder[0] == '\0' ? shell.chartDirectory : shell.dialogFolder;
}

void MainFrame::rememberDialogFolder(const char* path)
{
    std::snprintf(ShellState::instance().dialogFolder, ShellState::kNameSize, "%s", directoryOf(path).c_str());
}

LRESULT MainFrame::dropFiles(HDROP drop)
{
    bringToFront();
    char path[kPathBufferSize];
    // Only the first file counts; a drop without a file opens nothing.
    const bool dropped = DragQueryFileA(drop, 0, path, kPathBufferSize) != 0;
    DragFinish(drop);
    if (dropped)
        openDroppedChart(path);
    return 0;
}

ListSet* MainFrame::selectedPage()
{
    const int selection = tab_->getCurSel();
    if (selection != kWavPage && selection != kBmpPage)
        return nullptr;
    return pages_[selection].get();
}

void MainFrame::rememberChartPath(const char* path)
{
    ShellState& shell = ShellState::instance();
    // The path may be the path buffer or the current file name itself.
    const std::string chart = path;
    std::snprintf(shell.fileName, sizeof shell.fileName, "%s", chart.c_str());
    std::snprintf(shell.chartDirectory, sizeof shell.chartDirectory, "%s", directoryOf(chart.c_str()).c_str());
}
