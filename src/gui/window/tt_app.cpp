#include "gui/window/tt_app.h"

#include "gui/window/window_table.h"

LRESULT TtApp::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = NotHandled;
    switch (message) {
    case WM_DESTROY:
        result = onDestroy();
        break;
    case WM_SIZE:
        result = onSize(static_cast<int>(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_NOTIFY:
        result = onNotify(static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam));
        break;
    case WM_COMMAND:
        result = onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        break;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (TtWindow* control = WindowTable::global().find(item->hwndItem); control && control->drawItem(*item))
            result = TRUE;
        break;
    }
    default:
        break;
    }
    if (result != NotHandled)
        return result;
    return TtWindow::windowProc(message, wParam, lParam);
}

LRESULT TtApp::onCommand(int, int, HWND)
{
    return NotHandled;
}

LRESULT TtApp::onNotify(int, NMHDR*)
{
    return NotHandled;
}

LRESULT TtApp::onSize(int, int, int)
{
    return NotHandled;
}

LRESULT TtApp::onDestroy()
{
    PostQuitMessage(0);
    return 0;
}
