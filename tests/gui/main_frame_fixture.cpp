#include "main_frame_fixture.h"

#include <algorithm>

#include "bms/parse_result.h"
#include "gui/startup.h"
#include "gui/window/window_proc.h"
#include "resource_ids.h"
#include "test_windows.h"

namespace {

// The hook procedure has no context argument; one watcher is active at a time.
DialogWatcher* activeWatcher = nullptr;

bool isDialog(HWND window)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    return std::string(className) == "#32770";
}

// The static text of a message box has the id 0xFFFF.
constexpr int kMessageBoxTextId = 0xFFFF;

// The name field of a file dialog: the combo box of the newer layout or the plain edit.
constexpr int kFileNameCombo = 0x47C;
constexpr int kFileNameEdit = 0x480;

} // namespace

DialogWatcher::DialogWatcher()
    : hook_(SetWindowsHookExA(WH_CBT, &DialogWatcher::onCbt, nullptr, GetCurrentThreadId()))
{
    activeWatcher = this;
}

DialogWatcher::~DialogWatcher()
{
    UnhookWindowsHookEx(hook_);
    activeWatcher = nullptr;
}

void DialogWatcher::answerWith(Answer answer)
{
    answers_.push_back(std::move(answer));
}

LRESULT CALLBACK DialogWatcher::onCbt(int code, WPARAM wParam, LPARAM lParam)
{
    DialogWatcher* watcher = activeWatcher;
    const HWND window = reinterpret_cast<HWND>(wParam);
    if (watcher && code == HCBT_ACTIVATE && isDialog(window)
        && std::find(watcher->answered_.begin(), watcher->answered_.end(), window) == watcher->answered_.end()
        && std::find(watcher->pending_.begin(), watcher->pending_.end(), window) == watcher->pending_.end()) {
        watcher->pending_.push_back(window);
        // The dialog is answered from its own modal loop, once it is fully built.
        SetTimer(nullptr, 0, 1, &DialogWatcher::onTimer);
    }
    if (watcher && code == HCBT_DESTROYWND)
        std::erase(watcher->answered_, window);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK DialogWatcher::onTimer(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    if (activeWatcher)
        activeWatcher->answerPending();
}

void DialogWatcher::answerPending()
{
    std::vector<HWND> dialogs;
    dialogs.swap(pending_);
    for (HWND dialog : dialogs) {
        if (!IsWindow(dialog))
            continue;
        answered_.push_back(dialog);
        char caption[256] = {};
        char text[1024] = {};
        GetWindowTextA(dialog, caption, sizeof caption);
        GetDlgItemTextA(dialog, kMessageBoxTextId, text, sizeof text);
        seen_.push_back({ caption, text });
        Answer answer = pressButton(IDCANCEL);
        if (!answers_.empty()) {
            answer = std::move(answers_.front());
            answers_.erase(answers_.begin());
        }
        answer(dialog);
    }
}

DialogWatcher::Answer pressButton(int id)
{
    return [id](HWND dialog) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    };
}

namespace {

HWND fileNameControl(HWND dialog)
{
    HWND field = GetDlgItem(dialog, kFileNameCombo);
    return field ? field : GetDlgItem(dialog, kFileNameEdit);
}

} // namespace

DialogWatcher::Answer typeFileName(const std::string& path)
{
    return [path](HWND dialog) {
        SetWindowTextA(fileNameControl(dialog), path.c_str());
        pressButton(IDOK)(dialog);
    };
}

DialogWatcher::Answer typeInputLine(const std::string& text)
{
    return [text](HWND dialog) {
        SetDlgItemTextA(dialog, ID_INPUT_EDIT, text.c_str());
        pressButton(IDOK)(dialog);
    };
}

std::string fileNameField(HWND dialog)
{
    return windowText(fileNameControl(dialog));
}

int defaultButton(HWND dialog)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            return GetDlgCtrlID(child);
    }
    return 0;
}

void prepareMainWindowClass()
{
    InitCommonControls();
    WNDCLASSA existing {};
    if (!GetClassInfoA(testInstance(), kMainWindowClassName, &existing)) {
        ASSERT_TRUE(registerMainWindowClass(testInstance()));
    }
}

void destroyMainWindow(MainFrame& frame)
{
    if (IsWindow(frame.handle()))
        DestroyWindow(frame.handle());
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) { }
}

LRESULT sendCommand(MainFrame& frame, int id)
{
    return SendMessageA(frame.handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void typeControlKey(MainFrame& frame, HACCEL accelerators, HWND target, BYTE key, bool shift)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostQuitMessage(0);
    messageLoop(frame.handle(), accelerators);
    keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

void MainFrameTest::SetUp()
{
    makeFrame();
    // Created as start-up creates it, without placing or showing it.
    ASSERT_TRUE(frame->create(nullptr, 0, testInstance()));
}

void MainFrameTest::TearDown()
{
    if (frame)
        destroyMainWindow(*frame);
    frame.reset();
    ShellState::instance().reset();
}

void MainFrameTest::makeFrame()
{
    prepareMainWindowClass();
    ShellState::instance().reset();
    lastParseResult() = {};
    ShellState::instance().document = std::make_unique<BmsBms>();
    frame = std::make_unique<MainFrame>(plan, ShellState::instance(), scratch.file("quelmarn.ini").c_str());
}

void MainFrameTest::chooseNormalisedSave()
{
    if (frame->keepsLayout())
        sendCommand(*frame, ID_FILE_KEEP_LAYOUT);
}

std::string MainFrameTest::caption() const
{
    return windowText(frame->handle());
}

std::string MainFrameTest::writeChartFile(const std::string& name, const std::string& text) const
{
    const std::string path = scratch.file(name);
    writeFileBytes(path, text);
    return path;
}

const BmsBms& MainFrameTest::document() const
{
    return *ShellState::instance().document;
}

void MainFrameTest::expectOnlyDialog(const std::string& caption, const char* text) const
{
    ASSERT_EQ(1u, dialogs.seen().size());
    EXPECT_EQ(caption, dialogs.seen()[0].caption);
    if (text) {
        EXPECT_EQ(text, dialogs.seen()[0].text);
    }
}
