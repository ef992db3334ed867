#pragma once

// The open and save dialogs for chart files. Each starts in a given folder and leaves
// the current directory alone; the save dialog starts with a given file name and adds
// ".bms" to a name typed without an extension.

#include "gui/window/win32.h"

// The dialogs' declarations need <windows.h> before them.
#include <commdlg.h>

// The dialog record for a buffer of size bytes: the chart filters, the title, the
// folder to start in (empty or null for the system's choice) and the flags, with the
// record's full size for this platform. The buffer keeps its text as the initial name.
OPENFILENAMEA chartFileDialogRecord(
    HWND owner, char* buffer, int size, const char* title, const char* folder, DWORD flags);

// True when the user chose a path; the buffer then holds it.
bool chooseOpenPath(HWND owner, char* buffer, int size, const char* folder);
// The dialog starts with the file name; the buffer may be the name itself.
bool chooseSavePath(HWND owner, char* buffer, int size, const char* folder, const char* fileName);
