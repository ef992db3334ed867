// Times the editor's main window as the user drives it: opening a chart, every editing
// operation with its undo and its redo, and a drop of 1300 files, each until the window
// has painted, on the heavy chart, on a chart whose 1295 sound and 1295 image
// definitions are all in use, and on one whose 1295 sound definitions none uses. Its
// argument, if any, is how often each step runs. Boxes that a step opens are closed at
// once. Run it under Wine by hand; it prints figures and checks nothing.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <shlobj.h>
#include <string>
#include <vector>

#include "gui/main_frame.h"
#include "gui/startup.h"
#include "gui_timing.h"
#include "heavy_chart.h"
#include "platform/file_replace.h"
#include "resource_ids.h"

namespace {

// Each step runs this often unless the first argument says otherwise.
int repetitions = 3;
constexpr int kDroppedFiles = 1300;

// Ends every message box as soon as it is shown, with its default answer.
LRESULT CALLBACK closeBoxes(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE) {
        char className[16] = {};
        GetClassNameA(reinterpret_cast<HWND>(wParam), className, sizeof className);
        if (std::strcmp(className, "#32770") == 0)
            PostMessageA(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::string temporaryFolder()
{
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    return folder;
}

// A drop of files named in folder, as the shell hands it to a window.
HDROP dropOf(const std::string& folder, int count)
{
    std::string names;
    for (int k = 0; k < count; ++k)
        names += folder + "dropped_" + std::to_string(k) + ".wav" + '\0';
    names += '\0';
    const HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
    auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
    files->pFiles = sizeof(DROPFILES);
    std::memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), names.data(), names.size());
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

class EditorTiming {
public:
    EditorTiming(MainFrame& frame, std::string chartPath)
        : frame_(frame)
        , chartPath_(std::move(chartPath))
    {
    }

    // Opens the chart afresh before each repetition of a step, then times the step and,
    // when it changed the chart, its undo and its redo.
    void time(
        const char* what, const std::function<void(HWND list)>& prepare, const std::function<void(HWND list)>& step)
    {
        std::vector<double> done, undone, redone;
        for (int i = 0; i < repetitions; ++i) {
            frame_.openChart(chartPath_.c_str());
            paintPending();
            const HWND list = frame_.page(MainFrame::kWavPage).handle();
            prepare(list);
            paintPending();
            done.push_back(paintedMilliseconds([&] { step(list); }));
            if (!frame_.history().canUndo())
                continue;
            undone.push_back(paintedMilliseconds([&] { command(ID_EDIT_UNDO); }));
            redone.push_back(paintedMilliseconds([&] { command(ID_EDIT_REDO); }));
        }
        report(what, done);
        if (!undone.empty()) {
            report("  undo", undone);
            report("  redo", redone);
        }
    }

    void command(int id) { SendMessageA(frame_.handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

private:
    MainFrame& frame_;
    std::string chartPath_;
};

void selectRows(HWND list, int first, int last)
{
    SendMessageA(list, LB_SETSEL, FALSE, -1);
    SendMessageA(list, LB_SELITEMRANGEEX, first, last);
}

void pressKey(HWND list, WPARAM key, bool alt)
{
    // Bit 29 of a WM_SYSKEYDOWN is the context code: Alt held.
    SendMessageA(list, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, alt ? (1 << 29) : 0);
}

void timeChart(MainFrame& frame, const char* name, const std::string& path, const std::string& folder)
{
    std::printf("\n%s\n", name);
    std::vector<double> openTimes;
    for (int i = 0; i < repetitions; ++i)
        openTimes.push_back(paintedMilliseconds([&] { frame.openChart(path.c_str()); }));
    report("open", openTimes);

    EditorTiming timing(frame, path);
    // Moving every row down leaves 01 free, so that compacting renumbers every row.
    timing.time(
        "compact WAV after Alt+Down of 01..ZY",
        [](HWND list) {
            selectRows(list, 1, 1294);
            pressKey(list, VK_DOWN, true);
        },
        [&](HWND) { timing.command(ID_EDIT_COMPACT_WAV); });
    timing.time(
        "unregister unused WAV", [](HWND) {}, [&](HWND) { timing.command(ID_EDIT_UNREGISTER_UNUSED_WAV); });
    timing.time(
        "swap top two (01, 02)", [](HWND list) { selectRows(list, 1, 2); },
        [&](HWND) { timing.command(ID_EDIT_SWAP_TOP_TWO); });
    timing.time(
        "Alt+Down, rows 01..ZY", [](HWND list) { selectRows(list, 1, 1294); },
        [](HWND list) { pressKey(list, VK_DOWN, true); });
    timing.time(
        "Alt+Up, rows 02..ZZ", [](HWND list) { selectRows(list, 2, 1295); },
        [](HWND list) { pressKey(list, VK_UP, true); });
    timing.time(
        "Delete, rows 00..ZZ", [](HWND list) { selectRows(list, 0, 1295); },
        [](HWND list) { pressKey(list, VK_DELETE, false); });
    timing.time(
        "Delete all, then drop 1300 files from 01",
        [](HWND list) {
            selectRows(list, 0, 1295);
            pressKey(list, VK_DELETE, false);
            SendMessageA(list, LB_SETCARETINDEX, 1, FALSE);
        },
        [&](HWND list) {
            SendMessageA(list, WM_DROPFILES, reinterpret_cast<WPARAM>(dropOf(folder, kDroppedFiles)), 0);
        });
}

// 1295 sound definitions that nothing uses.
std::string unusedDefinitionsText()
{
    std::string text;
    const IndexBase base;
    for (int row = 1; row < base.rowCount(); ++row) {
        const BmsWord id = base.wordAt(row);
        text += std::string("#WAV") + id.high() + id.low() + " unused_" + std::to_string(row) + ".wav\r\n";
    }
    return text;
}

// A chart that uses each of its 1295 sound and 1295 image definitions.
std::string fullyUsedChartText()
{
    HeavyChartShape shape;
    shape.measures = 200;
    shape.images = 1295;
    std::string text = heavyChartText(shape);
    // Every index once more, 16 to a line from measure 900 on, so that none is left
    // unused by chance.
    constexpr int kPerLine = 16;
    const IndexBase base;
    for (int first = 1; first < base.rowCount(); first += kPerLine) {
        std::string objects;
        for (int row = first; row < first + kPerLine && row < base.rowCount(); ++row)
            objects += std::string { base.wordAt(row).high(), base.wordAt(row).low() };
        const std::string measure = std::to_string(900 + first / kPerLine);
        text += "#" + measure + "01:" + objects + "\r\n#" + measure + "04:" + objects + "\r\n";
    }
    return text;
}

} // namespace

int main(int argumentCount, char** arguments)
{
    if (argumentCount > 1)
        repetitions = std::max(1, std::atoi(arguments[1]));
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    InitCommonControls();
    if (!registerMainWindowClass(instance)) {
        std::fprintf(stderr, "the window class could not be registered\n");
        return 1;
    }
    const std::string folder = temporaryFolder();
    const std::string heavyPath = folder + "quelmarn_heavy.bms";
    const std::string fullPath = folder + "quelmarn_full.bms";
    const std::string unusedPath = folder + "quelmarn_unused.bms";
    if (!replaceFileContent(heavyPath.c_str(), heavyChartText())
        || !replaceFileContent(fullPath.c_str(), fullyUsedChartText())
        || !replaceFileContent(unusedPath.c_str(), unusedDefinitionsText())) {
        std::fprintf(stderr, "the charts could not be written to %s\n", folder.c_str());
        return 1;
    }
    const HHOOK hook = SetWindowsHookExA(WH_CBT, &closeBoxes, nullptr, GetCurrentThreadId());

    ListExchanger plan;
    ShellState& shell = ShellState::instance();
    shell.document = std::make_unique<BmsBms>();
    const std::string settings = folder + "quelmarn_editor_timing.ini";
    MainFrame frame(plan, shell, settings.c_str());
    frame.create(nullptr, 0, instance);
    frame.move(0, 0, 800, 600);
    frame.show();
    paintPending();

    timeChart(frame, "heavy chart", heavyPath, folder);
    timeChart(frame, "1295 WAV and 1295 BMP definitions, all in use", fullPath, folder);
    timeChart(frame, "1295 WAV definitions, none in use", unusedPath, folder);

    UnhookWindowsHookEx(hook);
    DestroyWindow(frame.handle());
    DeleteFileA(heavyPath.c_str());
    DeleteFileA(fullPath.c_str());
    DeleteFileA(unusedPath.c_str());
    DeleteFileA(settings.c_str());
    return 0;
}
