#pragma once

// The text of a dialog's control, whatever its length.

#include <string>

#include "gui/window/win32.h"

std::string dialogItemText(HWND dialog, int id);
