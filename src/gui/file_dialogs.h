#pragma once

// The open and save dialogs for chart files. Each starts with an empty file name and
// no initial directory, and leaves the current directory alone.

#include "gui/window/win32.h"

// The dialogs' declarations need <windows.h> before them.
#include <commdlg.h>

// The dialog record for a buffer of size bytes: the chart filter, the title and the
// flags, with the record's full size for this platform.
OPENFILENAMEA chartFileDialogRecord(HWND owner, char* buffer, int size, const char* title, DWORD flags);

// True when the user chose a path; the buffer then holds it.
bool chooseOpenPath(HWND owner, char* buffer, int size);
bool chooseSavePath(HWND owner, char* buffer, int size);
