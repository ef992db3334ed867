#include "gui/recent_files.h"

#include <algorithm>
#include <cstdio>

#include "editing/file_name_rules.h"
#include "paths/path_parts.h"

namespace {

constexpr const char* kSection = "RecentFiles";

std::string keyOf(int index)
{
    return "file" + std::to_string(index + 1);
}

// "&1 path", with the path's ampersands doubled so that they show as themselves.
std::string itemText(int index, const std::string& path)
{
    // Appended piece by piece: "&" + std::to_string(...) sets off a false -Wrestrict in
    // the 32-bit build of GCC 12.
    std::string text = "&";
    text += std::to_string(index + 1);
    text += ' ';
    for (char c : path) {
        text += c;
        if (c == '&')
            text += '&';
    }
    return text;
}

} // namespace

void RecentFiles::load(const char* settingsPath)
{
    paths_.clear();
    char path[kPathBufferSize];
    for (int i = 0; i < kCount; ++i) {
        GetPrivateProfileStringA(kSection, keyOf(i).c_str(), "", path, sizeof path, settingsPath);
        if (path[0] == '\0')
            break;
        paths_.emplace_back(path);
    }
}

void RecentFiles::save(const char* settingsPath) const
{
    // "key=value" pairs, each ending in a NUL, and one more NUL to end the section.
    std::string section;
    for (std::size_t i = 0; i < paths_.size(); ++i) {
        section += keyOf(static_cast<int>(i)) + "=" + paths_[i];
        section += '\0';
    }
    section += '\0';
    WritePrivateProfileSectionA(kSection, section.c_str(), settingsPath);
}

void RecentFiles::add(const std::string& path)
{
    const std::string folded = foldAsciiCase(path, true);
    paths_.erase(std::remove_if(paths_.begin(), paths_.end(),
                     [&](const std::string& p) { return foldAsciiCase(p, true) == folded; }),
        paths_.end());
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > kCount)
        paths_.resize(kCount);
}

void RecentFiles::remove(int index)
{
    if (index >= 0 && index < static_cast<int>(paths_.size()))
        paths_.erase(paths_.begin() + index);
}

void RecentFiles::showIn(HMENU menu, int firstCommand, int beforeCommand) const
{
    for (int command = firstCommand; command <= firstCommand + kCount; ++command)
        DeleteMenu(menu, command, MF_BYCOMMAND);
    if (paths_.empty())
        return;
    for (std::size_t i = 0; i < paths_.size(); ++i)
        InsertMenuA(menu, beforeCommand, MF_BYCOMMAND | MF_STRING, firstCommand + i,
            itemText(static_cast<int>(i), paths_[i]).c_str());
    InsertMenuA(menu, beforeCommand, MF_BYCOMMAND | MF_SEPARATOR, firstCommand + kCount, nullptr);
}
