#include "gui/first_window.h"

#include <algorithm>

WindowSettings firstWindowSettings(const RECT& workArea)
{
    const int areaWidth = workArea.right - workArea.left;
    const int areaHeight = workArea.bottom - workArea.top;
    WindowSettings settings;
    settings.height = areaHeight * 2 / 3;
    settings.width = std::min(areaWidth, settings.height);
    settings.x = workArea.left + (areaWidth - settings.width) / 2;
    settings.y = workArea.top + (areaHeight - settings.height) / 2;
    return settings;
}

RECT primaryWorkArea()
{
    RECT area {};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0))
        area = { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) };
    return area;
}

HFONT createMessageBoxFont()
{
    // The structure's size differs between system versions and between 32 and 64 bits;
    // the one this program was built with is what it passes.
    NONCLIENTMETRICSA metrics {};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return nullptr;
    return CreateFontIndirectA(&metrics.lfMessageFont);
}
