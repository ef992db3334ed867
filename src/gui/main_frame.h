#pragma once

// The editor's only top-level window: the header pane on the left, a tab control with
// the WAV and BMP list pages on the right, and the menu that opens, creates and saves
// charts and runs the editing operations. Files dropped on the window are opened.

#include <array>
#include <memory>
#include <type_traits>

#include "editing/list_exchanger.h"
#include "gui/header_set.h"
#include "gui/list_set.h"
#include "gui/shell_state.h"
#include "gui/window/tt_app.h"
#include "gui/window/tt_controls.h"

// Dropped files; the declarations need <windows.h> before them.
#include <shellapi.h>

// The class the start-up registers for the main window.
constexpr const char* kMainWindowClassName = "QUELMARN";

class MainFrame : public TtApp {
public:
    static constexpr int kFieldCount = 5;
    static constexpr int kWavPage = 0;
    static constexpr int kBmpPage = 1;

    // The plan serves every renumbering on the pages; the placement is saved to
    // settingsPath when the window is destroyed. The shell state must hold the current
    // document before the window is created.
    MainFrame(ListExchanger& plan, const char* settingsPath);
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

    // Binds the header fields and the pages to the current document, and shows it
    // with the file name in the caption.
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
    // Whether saves keep the chart's own layout (the File menu's check item).
    bool keepsLayout() const { return keepLayout_; }
    // Opens the first of the dropped files.
    LRESULT dropFiles(HDROP drop);

    const char* settingsPath() const { return settingsPath_; }
    TtTab& tab() { return *tab_; }
    ListSet& page(int index) { return *pages_[index]; }

private:
    struct FontDeleter {
        void operator()(HFONT font) const { DeleteObject(font); }
    };

    void createPage(int index, int kind, int id);
    LRESULT onHeaderEdit(int id, int code);
    void newChart();
    void saveChartAs();
    // The page of the tab's selection; null when no tab is selected.
    ListSet* selectedPage();
    // The path becomes the current file name and its drive and directory the chart
    // directory.
    void rememberChartPath(const char* path);
    void setKeepLayout(bool keepLayout);

    ListExchanger& plan_;
    char settingsPath_[ShellState::kNameSize];
    std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter> font_;
    std::unique_ptr<TtStatic> background_;
    std::unique_ptr<TtGroup> group_;
    std::array<std::unique_ptr<HeaderSet>, kFieldCount> fields_;
    std::unique_ptr<TtTab> tab_;
    std::array<std::unique_ptr<ListSet>, 2> pages_;
    // Set while the fields show a new document: the edits report those texts as updates,
    // which are not the user's and must not be stored back.
    bool refreshingFields_ = false;
    bool keepLayout_ = false;
};
