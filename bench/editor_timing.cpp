// Times the editor's main window as the user drives it: opening a chart, every editing
// operation with its undo and its redo, and a drop of 1300 files, each until the window
// has painted, on the heavy chart, on a chart whose 1295 sound and 1295 image
// definitions are all in use, on one whose 1295 sound definitions none uses, and on the
// last two in base 62 with 3843 definitions each (the drop on the unused one finds free
// rows). Its first argument, if any, is how often each step runs; a second one times
// only the charts whose caption holds it ("base 62"). Boxes that a step opens are
// closed at once. Run it under Wine by hand; it prints figures and checks nothing.

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

// The name of a row's index, for the step captions.
std::string indexName(IndexBase base, int row)
{
    const BmsWord id = base.wordAt(row);
    return { id.high(), id.low() };
}

void timeChart(MainFrame& frame, const char* name, const std::string& path, IndexBase base, const std::string& folder)
{
    std::printf("\n%s\n", name);
    std::vector<double> openTimes;
    for (int i = 0; i < repetitions; ++i)
        openTimes.push_back(paintedMilliseconds([&] { frame.openChart(path.c_str()); }));
    report("open", openTimes);

    const int last = base.rowCount() - 1;
    const std::string lastName = indexName(base, last);
    const std::string belowLastName = indexName(base, last - 1);
    EditorTiming timing(frame, path);
    // Moving every row down leaves 01 free, so that compacting renumbers every row.
    timing.time(("compact WAV after Alt+Down of 01.." + belowLastName).c_str(),
        [&](HWND list) {
            selectRows(list, 1, last - 1);
            pressKey(list, VK_DOWN, true);
        },
        [&](HWND) { timing.command(ID_EDIT_COMPACT_WAV); });
    timing.time(
        "unregister unused WAV", [](HWND) {}, [&](HWND) { timing.command(ID_EDIT_UNREGISTER_UNUSED_WAV); });
    timing.time(
        "swap top two (01, 02)", [](HWND list) { selectRows(list, 1, 2); },
        [&](HWND) { timing.command(ID_EDIT_SWAP_TOP_TWO); });
    timing.time(("Alt+Down, rows 01.." + belowLastName).c_str(), [&](HWND list) { selectRows(list, 1, last - 1); },
        [](HWND list) { pressKey(list, VK_DOWN, true); });
    timing.time(("Alt+Up, rows 02.." + lastName).c_str(), [&](HWND list) { selectRows(list, 2, last); },
        [](HWND list) { pressKey(list, VK_UP, true); });
    timing.time(("Delete, rows 00.." + lastName).c_str(), [&](HWND list) { selectRows(list, 0, last); },
        [](HWND list) { pressKey(list, VK_DELETE, false); });
    timing.time(
        "Delete all, then drop 1300 files from 01",
        [&](HWND list) {
            selectRows(list, 0, last);
            pressKey(list, VK_DELETE, false);
            SendMessageA(list, LB_SETCARETINDEX, 1, FALSE);
        },
        [&](HWND list) {
            SendMessageA(list, WM_DROPFILES, reinterpret_cast<WPARAM>(dropOf(folder, kDroppedFiles)), 0);
        });
}

// A sound definition for every index of the base, none of them used.
std::string unusedDefinitionsText(IndexBase base)
{
    std::string text = base.isCaseSensitive() ? "#BASE 62\r\n" : "";
    for (int row = 1; row < base.rowCount(); ++row)
        text += "#WAV" + indexName(base, row) + " unused_" + std::to_string(row) + ".wav\r\n";
    return text;
}

// A chart that uses each of its sound and image definitions, one for every index of the
// base.
std::string fullyUsedChartText(IndexBase base)
{
    HeavyChartShape shape;
    shape.measures = 200;
    shape.sounds = base.rowCount() - 1;
    shape.images = base.rowCount() - 1;
    shape.base = base;
    std::string text = heavyChartText(shape);
    // Every index once more, from measure 900 on, so that none is left unused by chance;
    // base 62's 3843 indices go 64 to a line to end before measure 1000.
    const int perLine = base.isCaseSensitive() ? 64 : 16;
    for (int first = 1; first < base.rowCount(); first += perLine) {
        std::string objects;
        for (int row = first; row < first + perLine && row < base.rowCount(); ++row)
            objects += indexName(base, row);
        const std::string measure = std::to_string(900 + first / perLine);
        text += "#" + measure + "01:" + objects + "\r\n#" + measure + "04:" + objects + "\r\n";
    }
    return text;
}

} // namespace

int main(int argumentCount, char** arguments)
{
    if (argumentCount > 1)
        repetitions = std::max(1, std::atoi(arguments[1]));
    const std::string captionPart = argumentCount > 2 ? arguments[2] : "";
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    InitCommonControls();
    if (!registerMainWindowClass(instance)) {
        std::fprintf(stderr, "the window class could not be registered\n");
        return 1;
    }
    const std::string folder = temporaryFolder();
    const IndexBase base36;
    const IndexBase base62 = IndexBase::ofRadix(IndexBase::kCaseSensitiveRadix);
    struct TimedChart {
        const char* name;
        std::string path;
        std::string text;
        IndexBase base;
    };
    const std::vector<TimedChart> charts = {
        { "heavy chart", folder + "quelmarn_heavy.bms", heavyChartText(), base36 },
        { "1295 WAV and 1295 BMP definitions, all in use", folder + "quelmarn_full.bms", fullyUsedChartText(base36),
            base36 },
        { "1295 WAV definitions, none in use", folder + "quelmarn_unused.bms", unusedDefinitionsText(base36), base36 },
        { "base 62: 3843 WAV and 3843 BMP definitions, all in use", folder + "quelmarn_full62.bms",
            fullyUsedChartText(base62), base62 },
        { "base 62: 3843 WAV definitions, none in use", folder + "quelmarn_unused62.bms", unusedDefinitionsText(base62),
            base62 },
    };
    for (const TimedChart& chart : charts) {
        if (!replaceFileContent(chart.path.c_str(), chart.text)) {
            std::fprintf(stderr, "the charts could not be written to %s\n", folder.c_str());
            return 1;
        }
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

    for (const TimedChart& chart : charts) {
        if (std::string(chart.name).find(captionPart) != std::string::npos)
            timeChart(frame, chart.name, chart.path, chart.base, folder);
    }

    UnhookWindowsHookEx(hook);
    DestroyWindow(frame.handle());
    for (const TimedChart& chart : charts)
        DeleteFileA(chart.path.c_str());
    DeleteFileA(settings.c_str());
    return 0;
}
