#include "gui/startup.h"

#include "bms/parse_result.h"
#include "gui/first_window.h"
#include "gui/window/window_proc.h"
#include "gui/window_settings.h"
#include "model/object_storage.h"
#include "paths/command_line.h"
#include "quelmarn_version.h"
#include "resource_ids.h"

namespace {

void showStartFailure(const char* text)
{
    MessageBoxA(nullptr, text, "ERROR", MB_ICONERROR);
}

} // namespace

bool registerMainWindowClass(HINSTANCE instance)
{
    WNDCLASSA windowClass {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = TtWndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAIN_ICON_NAME);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    // No background brush: the child windows cover the whole client area.
    windowClass.lpszMenuName = MAIN_MENU_NAME;
    windowClass.lpszClassName = kMainWindowClassName;
    return RegisterClassA(&windowClass) != 0;
}

bool startMainWindow(MainFrame& frame, HINSTANCE instance, const char* commandLine)
{
    if (!frame.create(nullptr, 0, instance)) {
        showStartFailure("ウィンドウの作成に失敗しました。");
        return false;
    }
    frame.setText(QUELMARN_NAME);
    applyWindowSettings(frame, loadWindowSettings(frame.settingsPath(), primaryWorkArea()));
    openCommandLineChart(frame, commandLine);
    return true;
}

void openCommandLineChart(MainFrame& frame, const char* commandLine)
{
    if (commandLine[0] == '\0')
        return;
    char* path = ShellState::instance().pathBuffer;
    if (!copyFirstArgument(commandLine, path, kPathBufferSize)) {
        // Refused the way a file that cannot be opened is: the line stays as it was.
        lastParseResult().code = kResultCannotOpen;
        frame.showOpenError();
        return;
    }
    frame.openChart(path);
}

int runEditor(HINSTANCE instance, const char* commandLine)
{
    InitCommonControls();
    if (!registerMainWindowClass(instance)) {
        showStartFailure("ウィンドウクラスの登録に失敗しました。");
        return -1;
    }

    // Every chart opened or dropped is read on this thread.
    const SpareObjectBlocks spareBlocks;
    ListExchanger plan;
    ShellState& shell = ShellState::instance();
    shell.document = std::make_unique<BmsBms>();

    GetModuleFileNameA(nullptr, shell.pathBuffer, kPathBufferSize);
    char settingsPath[ShellState::kNameSize];
    settingsPathOf(shell.pathBuffer, settingsPath);

    MainFrame frame(plan, shell, settingsPath);
    if (!startMainWindow(frame, instance, commandLine))
        return -1;
    return messageLoop(frame.handle(), LoadAcceleratorsA(instance, MAIN_ACCEL_NAME));
}
