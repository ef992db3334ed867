#pragma once

// The Win32 API as the editor uses it, with the common controls and the shell's drag
// and drop. Every call is made through its ANSI ("A") name; the min/max macros and
// the rarely used parts of <windows.h> stay out.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>
