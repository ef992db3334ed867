#pragma once

// The modal version dialog: icon, name and version, no button. It ends when its
// window is closed, or with Enter or Esc.

#include "gui/window/win32.h"

INT_PTR CALLBACK versionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the dialog over owner until it is closed.
void showVersionDialog(HINSTANCE instance, HWND owner);
