#pragma once

// The paths of files dropped on a window, read whole: a path too long for the program's
// path buffer would be cut to the name of another file, so it is kept apart to be named
// to the user rather than used.

#include <string>
#include <vector>

#include "gui/window/win32.h"

struct DroppedPath {
    std::string path;
    // Whether the path fits the path buffer, terminator included.
    bool fits = true;
};

// Every path of the drop in its order; the drop is finished.
std::vector<DroppedPath> takeDroppedPaths(HDROP drop);

// Whether a window may take a drop now: not while its top-level window is disabled by a
// modal box or dialog, which would have to stack another box on it.
bool acceptsDropsNow(HWND window);
