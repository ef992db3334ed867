#pragma once

// Help > Usage and F1. The guide that comes with the editor is readme.txt beside the
// executable: the box names it, and once the box is closed the guide opens in the
// system's program for text files. An editor built from source has no guide beside
// it; the box says where the guide is in the source tree instead.

#include <string>

#include "gui/window/win32.h"

// The guide's path beside the module at modulePath.
std::string usageGuidePath(const char* modulePath);

// The text of the box, for the guide at guidePath, which is there or not.
std::string usageGuideMessage(const std::string& guidePath, bool guideIsThere);

// Shows the box over owner and opens the guide, if it is there.
void showUsageGuide(HWND owner);
