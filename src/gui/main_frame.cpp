#include "gui/main_frame.h"

#include <cstdio>

#include "bms/bms_reader.h"
#include "bms/chart_save.h"
#include "bms/layout_check.h"
#include "bms/parse_result.h"
#include "editing/definition_operations.h"
#include "gui/file_dialogs.h"
#include "gui/path_parts.h"
#include "gui/save_question.h"
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
    setKeepLayout(loadKeepLayout(settingsPath_));
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
}

LRESULT MainFrame::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DROPFILES)
        return dropFiles(reinterpret_cast<HDROP>(wParam));
    return TtApp::windowProc(message, wParam, lParam);
}

LRESULT MainFrame::onCommand(int id, int code, HWND)
{
    ShellState& shell = ShellState::instance();
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
        newChart();
        return 0;
    case ID_FILE_OPEN:
        if (chooseOpenPath(handle(), shell.pathBuffer, kPathBufferSize))
            openChart(shell.pathBuffer);
        return 0;
    case ID_FILE_SAVE_AS:
        saveChartAs();
        return 0;
    case ID_FILE_SAVE:
        if (shell.fileName[0] != '\0')
            saveChart(shell.fileName);
        else
            saveChartAs();
        return 0;
    case ID_FILE_KEEP_LAYOUT:
        setKeepLayout(!keepLayout_);
        return 0;
    case ID_EDIT_SWAP_TOP_TWO:
        if (ListSet* page = selectedPage())
            swapTopTwoSelected(*page, plan_);
        return 0;
    case ID_EDIT_UNREGISTER_UNUSED_WAV:
        unregisterUnreferenced(*pages_[kWavPage]);
        return 0;
    case ID_EDIT_UNREGISTER_UNUSED_BMP:
        unregisterUnreferenced(*pages_[kBmpPage]);
        return 0;
    case ID_EDIT_COMPACT_WAV:
        compactIndices(*pages_[kWavPage], plan_);
        return 0;
    case ID_EDIT_COMPACT_BMP:
        compactIndices(*pages_[kBmpPage], plan_);
        return 0;
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
    if (HeaderSet* field = HeaderSet::findField(id))
        field->store();
    return 0;
}

LRESULT MainFrame::onNotify(int, NMHDR* header)
{
    if (header->idFrom != ID_TAB || header->code != static_cast<UINT>(TCN_SELCHANGE))
        return NotHandled;
    ShellState& shell = ShellState::instance();
    pages_[shell.currentPage]->hide();
    // A tab control without a selection keeps the page that was shown.
    const int selection = tab_->getCurSel();
    if (selection == kWavPage || selection == kBmpPage)
        shell.currentPage = selection;
    pages_[shell.currentPage]->show();
    return 0;
}

LRESULT MainFrame::onSize(int, int width, int height)
{
    constexpr int kPaneWidth = HeaderSet::kPaneWidth;
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
    saveKeepLayout(keepLayout_, settingsPath_);
    return TtApp::onDestroy();
}

void MainFrame::refreshFromDocument()
{
    ShellState& shell = ShellState::instance();
    HeaderSet::setHeaderTable(shell.document->headerTable());
    for (const auto& page : pages_)
        page->setDocument(*shell.document);
    std::snprintf(shell.pathBuffer, sizeof shell.pathBuffer, "%s  %s", kProgramName, shell.fileName);
    setText(shell.pathBuffer);
    refreshingFields_ = true;
    HeaderSet::refreshFields();
    refreshingFields_ = false;
    for (const auto& page : pages_)
        page->refreshAll();
}

void MainFrame::newChart()
{
    ShellState& shell = ShellState::instance();
    shell.document = std::make_unique<BmsBms>();
    shell.fileName[0] = '\0';
    refreshFromDocument();
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
    return true;
}

void MainFrame::showOpenError()
{
    char* text = ShellState::instance().pathBuffer;
    std::snprintf(text, kPathBufferSize, "line %d : %s", errorLine(), errorMessage());
    MessageBoxA(handle(), text, "BMSファイル解析失敗", MB_ICONERROR);
}

bool MainFrame::saveChart(const char* path)
{
    BmsBms& document = *ShellState::instance().document;
    const SaveLayout layout = keepLayout_ ? SaveLayout::KeepText : SaveLayout::Normalised;
    const std::vector<SourceFinding> findings = findingsLostBy(document, layout);
    // A chart with a text of its own keeps all but its base when its layout is kept.
    const bool optionWouldKeep
        = !keepLayout_ && document.editState().source() && findingsLostBy(document, SaveLayout::KeepText).empty();
    if (!findings.empty()
        && MessageBoxA(handle(), saveQuestionText(findings, optionWouldKeep).c_str(), "確認", MB_YESNO | MB_ICONWARNING)
            != IDYES)
        return false;
    if (!saveChartFile(path, document, layout)) {
        MessageBoxA(handle(), "BMSファイルの保存に失敗しました。", "ERROR", MB_ICONERROR);
        return false;
    }
    rememberChartPath(path);
    return true;
}

void MainFrame::saveChartAs()
{
    char* path = ShellState::instance().pathBuffer;
    if (chooseSavePath(handle(), path, kPathBufferSize))
        saveChart(path);
}

LRESULT MainFrame::dropFiles(HDROP drop)
{
    bringToFront();
    char* path = ShellState::instance().pathBuffer;
    // Only the first file counts; a drop without a file opens nothing.
    if (DragQueryFileA(drop, 0, path, kPathBufferSize) != 0)
        openChart(path);
    DragFinish(drop);
    return 0;
}

ListSet* MainFrame::selectedPage()
{
    const int selection = tab_->getCurSel();
    if (selection != kWavPage && selection != kBmpPage)
        return nullptr;
    return pages_[selection].get();
}

void MainFrame::setKeepLayout(bool keepLayout)
{
    keepLayout_ = keepLayout;
    CheckMenuItem(GetMenu(handle()), ID_FILE_KEEP_LAYOUT, MF_BYCOMMAND | (keepLayout ? MF_CHECKED : MF_UNCHECKED));
}

void MainFrame::rememberChartPath(const char* path)
{
    ShellState& shell = ShellState::instance();
    // The path may be the path buffer or the current file name itself.
    char directory[kPathBufferSize];
    std::snprintf(directory, sizeof directory, "%s", path);
    std::snprintf(shell.fileName, sizeof shell.fileName, "%s", directory);
    keepPathParts(directory, true, true, false, false);
    std::snprintf(shell.chartDirectory, sizeof shell.chartDirectory, "%s", directory);
}
