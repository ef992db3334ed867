#pragma once

// Decoders for the parameters of messages that a window handles in its own windowProc,
// outside TtApp's handler slots, so that handlers take decoded arguments rather than
// taking wParam and lParam apart themselves.

#include "gui/window/win32.h"

// WM_DROPFILES: wParam is the drop, which its receiver finishes with DragFinish.
inline HDROP droppedFiles(WPARAM wParam)
{
    return reinterpret_cast<HDROP>(wParam);
}

// WM_SYSKEYDOWN and WM_SYSKEYUP: the context bit of lParam, set while Alt is held.
inline bool isAltHeld(LPARAM keyFlags)
{
    return (keyFlags & (LPARAM(1) << 29)) != 0;
}
