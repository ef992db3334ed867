#pragma once

// Shows the wait cursor for a scope: work that may keep the window from answering for a
// noticeable time says so. The cursor shown before comes back at the end.

#include "gui/window/win32.h"

class WaitCursor {
public:
    WaitCursor()
        : previous_(SetCursor(LoadCursorA(nullptr, IDC_WAIT)))
    {
    }
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};
