#pragma once

// What the editor opens with before the settings file remembers anything: a window fitted
// to the screen's work area, and a list font as large as the system's message boxes.

#include "gui/window/win32.h"
#include "gui/window_settings.h"

// Two thirds of the work area's height, as wide as high but never wider than the area,
// centred in it, shown as the system shows a new window.
WindowSettings firstWindowSettings(const RECT& workArea);

// The primary screen's work area: the screen without the task bar.
RECT primaryWorkArea();

// The font of the system's message boxes, for the lists; null when the system does not
// say, where the caller keeps its own.
HFONT createMessageBoxFont();
