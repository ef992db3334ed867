#include "gui/window_settings.h"

#include <cstdio>

#include "gui/first_window.h"
#include "paths/path_parts.h"

namespace {

constexpr const char* kSection = "Window";
constexpr const char* kPosX = "pos_x";
constexpr const char* kPosY = "pos_y";
constexpr const char* kWidth = "width";
constexpr const char* kHeight = "height";
constexpr const char* kState = "state";
constexpr const char* kSaveSection = "Save";
constexpr const char* kKeepLayout = "keep_layout";

WindowSettings settingsFromPlacement(const WINDOWPLACEMENT& placement)
{
    const RECT& normal = placement.rcNormalPosition;
    WindowSettings settings;
    settings.x = normal.left;
    settings.y = normal.top;
    settings.width = normal.right - normal.left;
    settings.height = normal.bottom - normal.top;
    settings.state = placement.showCmd == SW_SHOWMINIMIZED ? SW_SHOWNORMAL : static_cast<int>(placement.showCmd);
    return settings;
}

void saveWindowSettings(const WindowSettings& settings, const char* settingsPath)
{
    const struct {
        const char* key;
        int value;
    } entries[] = {
        { kPosX, settings.x },
        { kPosY, settings.y },
        { kWidth, settings.width },
        { kHeight, settings.height },
        { kState, settings.state },
    };
    // Each "key=value" ends in a NUL and one more NUL ends the section. Five short keys
    // with values of at most 11 characters always fit.
    char section[kPathBufferSize];
    std::size_t length = 0;
    for (const auto& entry : entries)
        length += std::snprintf(section + length, sizeof section - length, "%s=%d", entry.key, entry.value) + 1;
    section[length] = '\0';
    WritePrivateProfileSectionA(kSection, section, settingsPath);
}

} // namespace

void settingsPathOf(const char* modulePath, char (&settingsPath)[ShellState::kNameSize])
{
    char path[kPathBufferSize];
    std::snprintf(path, sizeof path, "%s", modulePath);
    dropExtension(path);
    std::snprintf(settingsPath, sizeof settingsPath, "%s.ini", path);
}

WindowSettings loadWindowSettings(const char* settingsPath, const RECT& workArea)
{
    const WindowSettings defaults = firstWindowSettings(workArea);
    WindowSettings settings;
    settings.x = GetPrivateProfileIntA(kSection, kPosX, defaults.x, settingsPath);
    settings.y = GetPrivateProfileIntA(kSection, kPosY, defaults.y, settingsPath);
    settings.width = GetPrivateProfileIntA(kSection, kWidth, defaults.width, settingsPath);
    settings.height = GetPrivateProfileIntA(kSection, kHeight, defaults.height, settingsPath);
    settings.state = GetPrivateProfileIntA(kSection, kState, defaults.state, settingsPath);
    return settings;
}

void saveWindowPlacement(HWND window, const char* settingsPath)
{
    WINDOWPLACEMENT placement {};
    placement.length = sizeof placement;
    if (GetWindowPlacement(window, &placement))
        saveWindowSettings(settingsFromPlacement(placement), settingsPath);
}

std::optional<bool> loadKeepLayout(const char* settingsPath)
{
    constexpr int kMissing = -1;
    const int value = static_cast<int>(GetPrivateProfileIntA(kSaveSection, kKeepLayout, kMissing, settingsPath));
    if (value == kMissing)
        return std::nullopt;
    return value != 0;
}

void saveKeepLayout(bool keepLayout, const char* settingsPath)
{
    // "keep_layout=0" or "=1", its NUL and the NUL that ends the section.
    char section[sizeof "keep_layout=0" + 1];
    std::snprintf(section, sizeof section, "%s=%d", kKeepLayout, keepLayout ? 1 : 0);
    section[sizeof section - 1] = '\0';
    WritePrivateProfileSectionA(kSaveSection, section, settingsPath);
}

void applyWindowSettings(TtWindow& window, const WindowSettings& settings)
{
    window.moveTo(settings.x, settings.y);
    window.resize(settings.width, settings.height);
    window.show(settings.state);
}
