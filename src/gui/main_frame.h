#pragma once

// The editor's only top-level window: the header pane on the left, a tab control with
// the WAV and BMP list pages on the right, a status bar along the bottom, and the menu
// that opens, creates and saves charts and runs, undoes and redoes the editing
// operations. Files dropped on the window are opened. Unsaved changes are never
// discarded without asking.

#include <array>
#include <memory>
#include <optional>
#include <type_traits>

#include "editing/edit_history.h"
#include "editing/list_exchanger.h"
#include "editing/missing_files.h"
#include "gui/header_set.h"
#include "gui/image_preview.h"
#include "gui/list_set.h"
#include "gui/recent_files.h"
#include "gui/shell_state.h"
#include "gui/window/tt_app.h"
#include "gui/window/tt_controls.h"
#include "platform/chart_folder.h"

// The class the start-up registers for the main window.
constexpr const char* kMainWindowClassName = "QUELMARN";

class MainFrame : public TtApp, public PageHost {
public:
    static constexpr int kFieldCount = 5;
    static constexpr int kWavPage = 0;
    static constexpr int kBmpPage = 1;

    // The plan serves every renumbering on the pages; the placement is saved to
    // settingsPath when the window is destroyed. The shell state must hold the current
    // document before the window is created.
    MainFrame(ListExchanger& plan, ShellState& shell, const char* settingsPath);
    // The header fields go with the window, so the class-wide field table forgets them.
    ~MainFrame() override;

    DWORD exStyle() override { return WS_EX_STATICEDGE | WS_EX_ACCEPTFILES; }
    DWORD style() override { return WS_OVERLAPPEDWINDOW; }
    const char* className() override { return kMainWindowClassName; }
    // Builds the child windows; the order fixes their Z order and the visible page.
    bool onCreate() override;
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT onCommand(int id, int code, HWND control) override;
    LRESULT onNotify(int id, NMHDR* header) override;
    LRESULT onSize(int type, int width, int height) override;
    // Saves the placement, then ends the message loop.
    LRESULT onDestroy() override;

    // Binds the header fields and the pages to the current document, shows it from
    // the top with the file name in the caption, and starts its history afresh.
    void refreshFromDocument();
    // Makes the chart at path the current document, or shows why it cannot be read
    // and changes nothing.
    bool openChart(const char* path);
    // Shows the result code and line of the last failed read.
    void showOpenError();
    // Writes the current document to path, normalised or keeping its own layout, or shows
    // the failure. A chart whose content the save would change is written only when the
    // user agrees.
    bool saveChart(const char* path);
    // Whether saves keep the chart's own layout (the File menu's check item): as the user
    // chose, else kept, as a chart read from a file is best saved.
    bool keepsLayout() const { return keepLayoutChoice_.value_or(true); }
    // Opens the first of the dropped files, after asking about unsaved changes.
    LRESULT dropFiles(HDROP drop);
    // Shows the program's name and the file that Save writes to, with " *" while the
    // chart has unsaved changes.
    void showCaption();
    // Asks whether to save unsaved changes before they would be discarded: true to go
    // on (saved, or discarded by the user's choice), false to stay.
    bool confirmDiscard();

    void openDroppedChart(const char* path) override;
    void runEdit(ListSet& page, const std::function<void()>& operation) override;
    void showStatus(const std::string& text) override;
    bool offerBase62() override;
    void showBaseChange();

    const char* settingsPath() const { return settingsPath_; }
    TtTab& tab() { return *tab_; }
    ImagePreview& imagePreview() { return *preview_; }
    ListSet& page(int index) { return *pages_[index]; }
    const EditHistory& history() const { return history_; }
    const RecentFiles& recentFiles() const { return recent_; }

private:
    struct FontDeleter {
        void operator()(HFONT font) const { DeleteObject(font); }
    };

    // The tab's page index of a kind's list, and the kind of the list at a page index.
    static int pageOfKind(DefinitionKind kind) { return kind == kKindBmp ? kBmpPage : kWavPage; }
    static DefinitionKind kindOfPage(int index) { return index == kBmpPage ? kKindBmp : kKindWav; }

    void createPage(int index, DefinitionKind kind, int id);
    LRESULT onHeaderEdit(int id, int code);
    void newChart();
    void openChosenChart();
    // Save, or Save as without a file name; true when the chart was written.
    bool saveCurrentChart();
    bool saveChartAs();
    // Says why the chart could not be written to path (error: the errno of the write) and
    // offers Save as; true when that saved it.
    bool offerSaveAsAfterFailure(const char* path, int error);
    // Where the file dialogs start: the current chart's folder, or without a chart file
    // the folder a dialog last chose.
    const char* dialogFolder() const;
    void rememberDialogFolder(const char* path);
    // The page of the tab's selection; null when no tab is selected.
    ListSet* selectedPage();
    void showPage(int index);
    // Shows the page step pages on, round the ends, and gives it the keyboard focus.
    void switchPage(int step);
    // Selects every row of the page on top, or the text of the header field in focus.
    void selectAll();
    // Asks for a part of a file name and selects the next row of the page on top that
    // holds it; findNext looks again for the last one, asking when there is none yet.
    void findName();
    void findNext();
    // Asks for an index and selects its row on the page on top.
    void goToIndex();
    // Edits the caret row's file name in place; the name typed is set by renameRow.
    void renameCaretRow();
    // Sets the row's new file name as one step; an empty name removes the definition,
    // after asking when the index is in use.
    void renameRow(ListSet& page, int row, const std::string& name);
    // Edits the headers of the header dialog; its changes are one step.
    void editDialogHeaders();
    // The path becomes the current file name and its drive and directory the chart
    // directory.
    void rememberChartPath(const char* path);
    // The user's choice, which the settings file keeps.
    void chooseKeepLayout(bool keepLayout);
    // Puts the chart first among the recent files of the File menu.
    void rememberRecent(const char* path);
    // Opens the recent file at the index, after asking about unsaved changes; a file that
    // is gone is said so and leaves the list.
    void openRecent(int index);
    void showRecent();
    void showKeepLayout();

    // Narrows both pages to the filter's rows, with the caption and the View menu's radio
    // items saying which.
    void chooseFilter(RowFilter filter);
    void showFilter();
    // The filter of a View menu command, ID_VIEW_ALL_ROWS to ID_VIEW_NO_FILE_ROWS.
    static RowFilter filterOfCommand(int id);
    // The caption's word for the filter on, as "  [未使用のみ]"; empty for all rows. A
    // filter hides rows of the chart, which the user must not forget.
    const char* filterMark() const;

    // Takes the last change back, or makes the next one again, and shows what it touched.
    void takeStep(bool forward);
    // Brings caption, menu and status bar up to date after the chart changed.
    void chartChanged();
    // The caption's mark of unsaved changes and the menu's undo and redo items.
    void showHistoryState();
    using PageMarks = std::array<RowMarks, 2>;
    // The marks of every page's rows, with the chart's folder listed once for all.
    PageMarks markPages();
    // The marks of both pages and the counts of the page on top.
    void refreshStatus();
    // Marks the rows of both pages anew, which also shows and hides the filtered rows.
    void refreshMarks();
    // The counts of the page on top, from its marks, with the files that are not in the
    // chart's folder; a message in passing stays beside them until they are shown anew.
    void showCounts();
    void showStatusText();
    // Shows the document's headers in the fields, which must not store them back, with
    // the number fields that hold no number marked.
    void showHeaderFields();
    // Splits the status bar of a client that wide into the counts and the references.
    void placeStatusParts(int width);
    // Files are looked up afresh: the chart's folder changed, or may have.
    void forgetFolder();
    // The listing of the chart's folder, made when first asked for; null without a
    // chart file.
    FileLookup* chartFiles();
    // The status bar's line about the caret row's file (found as, format, length, size),
    // and on the BMP page its picture in the preview.
    void showRowDetails();
    // The BMP page gives the lower part of its area to the preview.
    void placePages(const RECT& area);

    ListExchanger& plan_;
    ShellState& shell_;
    char settingsPath_[ShellState::kNameSize];
    std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter> font_;
    // The lists' font, the size of the system's message boxes; none keeps font_.
    std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter> listFont_;
    std::unique_ptr<TtStatic> background_;
    std::unique_ptr<TtGroup> group_;
    std::array<std::unique_ptr<HeaderSet>, kFieldCount> fields_;
    std::unique_ptr<TtTab> tab_;
    std::array<std::unique_ptr<ListSet>, 2> pages_;
    std::unique_ptr<ImagePreview> preview_;
    std::unique_ptr<TtStatusBar> status_;
    std::string statusCounts_;
    std::string statusMessage_;
    EditHistory history_;
    // The chart folder and a listing of its files; none without a chart file.
    std::unique_ptr<ChartFolder> folder_;
    std::unique_ptr<ListedFolderLookup> folderFiles_;
    // Set while the fields show a new document: the edits report those texts as updates,
    // which are not the user's and must not be stored back.
    bool refreshingFields_ = false;
    // Stored in the settings only once chosen, so that the default may hold until then.
    std::optional<bool> keepLayoutChoice_;
    RecentFiles recent_;
    // What the last find looked for.
    std::string findText_;
    RowFilter rowFilter_ = RowFilter::All;
};
