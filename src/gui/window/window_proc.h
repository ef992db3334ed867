#pragma once

// The one window procedure of the program's windows and subclassed controls, and the
// message loop.

#include "gui/window/win32.h"

// Hands the message to the windowProc of the handle's object, or to DefWindowProcA
// when the handle has none (as during its creation).
LRESULT CALLBACK TtWndProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);

// Runs until WM_QUIT and returns the code given to PostQuitMessage. The keys of the
// accelerator table, when there is one, become commands of the window, whichever of
// its children has the keyboard focus.
int messageLoop(HWND window = nullptr, HACCEL accelerators = nullptr);
