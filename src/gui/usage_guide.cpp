#include "gui/usage_guide.h"

#include <shellapi.h>

#include "paths/path_parts.h"

namespace {

constexpr const char* kGuideName = "readme.txt";
constexpr const char* kCaption = "使い方は";
constexpr const char* kLead = "一緒にあるテキストファイルをみて\n\n";

} // namespace

std::string usageGuidePath(const char* modulePath)
{
    char directory[kPathBufferSize] = {};
    lstrcpynA(directory, modulePath, kPathBufferSize);
    keepDirectory(directory);
    return std::string(directory) + kGuideName;
}

std::string usageGuideMessage(const std::string& guidePath, bool guideIsThere)
{
    if (guideIsThere) {
        return kLead + guidePath + "\n\nOK で開きます。";
    }
    return kLead + guidePath
        + " がありません。\nソースから作ったときは、ソースのフォルダーの docs\\readme.txt（と "
          "README.md）が使い方です。";
}

void showUsageGuide(HWND owner)
{
    char modulePath[kPathBufferSize] = {};
    GetModuleFileNameA(nullptr, modulePath, kPathBufferSize);
    const std::string guide = usageGuidePath(modulePath);
    const DWORD attributes = GetFileAttributesA(guide.c_str());
    const bool there = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    MessageBoxA(owner, usageGuideMessage(guide, there).c_str(), kCaption, MB_ICONINFORMATION);
    // ShellExecute reports failure as a value of 32 or less.
    if (there
        && reinterpret_cast<INT_PTR>(ShellExecuteA(owner, "open", guide.c_str(), nullptr, nullptr, SW_SHOWNORMAL))
            <= 32) {
        MessageBoxA(owner, (guide + " を開けませんでした。").c_str(), kCaption, MB_ICONWARNING);
    }
}
