#pragma once

// A top-level window that decodes its messages into handlers. A handler that answers
// NotHandled gets default processing, as does every message without a handler.

#include "gui/window/tt_window.h"

class TtApp : public TtWindow {
public:
    DWORD style() override { return WS_OVERLAPPEDWINDOW; }
    const char* className() override { return "TTAPP"; }
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // WM_COMMAND: the low and high halves of wParam, and lParam as the control.
    virtual LRESULT onCommand(int id, int code, HWND control);
    // WM_NOTIFY: wParam as the id, lParam as the header.
    virtual LRESULT onNotify(int id, NMHDR* header);
    // WM_SIZE: wParam as the type, the low and high halves of lParam as the size.
    virtual LRESULT onSize(int type, int width, int height);
    // WM_DRAWITEM goes to the drawItem of the control's window object, if it has one.
    // WM_DESTROY: ends the message loop with code 0.
    virtual LRESULT onDestroy();
};
