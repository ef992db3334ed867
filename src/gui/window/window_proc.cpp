#include "gui/window/window_proc.h"

#include "gui/window/tt_window.h"
#include "gui/window/window_table.h"

LRESULT CALLBACK TtWndProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (TtWindow* window = WindowTable::global().find(handle))
        return window->windowProc(message, wParam, lParam);
    return DefWindowProcA(handle, message, wParam, lParam);
}

int messageLoop(HWND window, HACCEL accelerators)
{
    MSG message = {};
    // GetMessageA answers -1 on failure, which must end the loop as well as WM_QUIT.
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (accelerators && TranslateAcceleratorA(window, accelerators, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
