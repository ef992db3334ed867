#pragma once

// A modal dialog that asks for one line of text, such as a file name to find.

#include <optional>
#include <string>

#include "gui/window/win32.h"

// Shows the dialog with the caption and the text to start from, selected; the typed text
// when the user presses OK, none when cancelled.
std::optional<std::string> askLine(HINSTANCE instance, HWND owner, const char* caption, const std::string& text);
