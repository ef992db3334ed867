#pragma once

// The charts opened or saved last, most recent first, as the File menu lists them. The
// settings file keeps them in section "RecentFiles" as file1 to file8.

#include <string>
#include <vector>

#include "gui/window/win32.h"

class RecentFiles {
public:
    static constexpr int kCount = 8;

    // Replaces the list with the stored one; a missing file or key ends it.
    void load(const char* settingsPath);
    // Replaces the whole "RecentFiles" section. Failures are not reported.
    void save(const char* settingsPath) const;
    // Puts the path first; the same path (ASCII case ignored) further down goes, and the
    // ninth falls off.
    void add(const std::string& path);
    void remove(int index);
    const std::vector<std::string>& paths() const { return paths_; }

    // Lists the paths, numbered, above the menu's item beforeCommand (Exit), with a
    // separator below them, in place of what an earlier call listed. The items' commands
    // are firstCommand + index; the separator has firstCommand + kCount.
    void showIn(HMENU menu, int firstCommand, int beforeCommand) const;

private:
    std::vector<std::string> paths_;
};
