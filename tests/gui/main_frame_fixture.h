#pragma once

// The real main window for the GUI tests, and a watcher that observes and answers the
// modal windows it opens (message boxes, file dialogs, the version dialog).

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "editing/list_exchanger.h"
#include "gui/main_frame.h"
#include "support/test_support.h"

// Observes every dialog window this thread activates, through a CBT hook. Once the
// dialog runs its modal loop, the watcher notes its caption and text and hands it to the
// next queued answer; a dialog without an answer is cancelled (IDCANCEL, which the
// version dialog ignores).
class DialogWatcher {
public:
    using Answer = std::function<void(HWND dialog)>;

    struct Seen {
        std::string caption;
        // A message box's text; empty for other dialogs.
        std::string text;
    };

    DialogWatcher();
    ~DialogWatcher();
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    void answerWith(Answer answer);
    const std::vector<Seen>& seen() const { return seen_; }

private:
    static LRESULT CALLBACK onCbt(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK onTimer(HWND, UINT, UINT_PTR timer, DWORD);
    void answerPending();

    HHOOK hook_;
    std::vector<HWND> pending_;
    std::vector<HWND> answered_;
    std::vector<Answer> answers_;
    std::vector<Seen> seen_;
};

// Clicks a button of a dialog or message box (IDOK, IDYES, IDNO...).
DialogWatcher::Answer pressButton(int id);
// Types the path into a file dialog's name field and presses OK.
DialogWatcher::Answer typeFileName(const std::string& path);
// Types the text into the one-line input dialog and presses OK.
DialogWatcher::Answer typeInputLine(const std::string& text);
// The text of a file dialog's name field.
std::string fileNameField(HWND dialog);
// The id of the button that Enter presses in a dialog or message box; 0 for none.
int defaultButton(HWND dialog);

// Registers the main window class unless it is (common controls included).
void prepareMainWindowClass();

// Destroys the window, and takes the quit message that its end posts off the queue so
// that later modal loops keep running.
void destroyMainWindow(MainFrame& frame);

// Sends a menu command, as choosing it from the menu does.
LRESULT sendCommand(MainFrame& frame, int id);

// Presses Ctrl (and Shift) with the key on the target and runs the messages through the
// window's accelerator table, as the editor's message loop does.
void typeControlKey(MainFrame& frame, HACCEL accelerators, HWND target, BYTE key, bool shift);

// A fresh shell (empty document, no names, the WAV page, result code and line 0) and a
// main window created on it, not shown. Its settings file lies in the scratch directory.
class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A fresh shell with an empty document, and the window object on it, not yet created.
    void makeFrame();
    HWND control(int id) const { return GetDlgItem(frame->handle(), id); }
    std::string caption() const;
    // Saves write the normalised layout, the user's choice over the default.
    void chooseNormalisedSave();
    // A chart file in the scratch directory.
    std::string writeChartFile(const std::string& name, const std::string& text) const;
    const BmsBms& document() const;
    // Exactly one dialog was seen, with this caption and, when given, this text.
    void expectOnlyDialog(const std::string& caption, const char* text = nullptr) const;

    ScratchDirectory scratch;
    ListExchanger plan;
    std::unique_ptr<MainFrame> frame;
    DialogWatcher dialogs;
};
