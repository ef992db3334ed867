#include <windows.h>

#include <algorithm>
#include <set>

#include "editing/file_name_rules.h"
#include "platform/chart_folder.h"
#include "platform/folder_entries.h"
#include "platform/windows_handles.h"

// Windows file systems ignore case themselves, so nothing is listed ahead.
struct ChartFolder::Lookup {
    // With its trailing separator; empty for the current directory.
    std::string directory;
    // The unreadable directories met since the last takeUnreadFolders(), with why.
    std::set<std::string> unread;
};

namespace {

// The same file gives the same key however its name was spelt: one separator, one case.
std::string fileKey(const std::string& name)
{
    std::string joined;
    for (const std::string& component : nameComponents(name, true)) {
        if (component == ".") {
            continue;
        }
        if (!joined.empty()) {
            joined += '\\';
        }
        joined += component;
    }
    return foldAsciiCase(joined, true);
}

} // namespace

ChartFolder::ChartFolder(const std::string& chartPath)
    : lookup_(std::make_unique<Lookup>())
{
    lookup_->directory = directoryPart(chartPath, true);
}

ChartFolder::~ChartFolder() = default;

std::optional<FoundFile> ChartFolder::find(const std::string& name)
{
    if (name.empty()) {
        return std::nullopt;
    }
    const std::string path = lookup_->directory + name;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return std::nullopt;
    }
    // The file as the folder spells it, which may differ in case from the definition.
    WIN32_FIND_DATAA entry;
    const FindHandle search(FindFirstFileA(path.c_str(), &entry));
    const std::string spelt = search.valid() ? directoryPart(name, true) + entry.cFileName : name;
    return FoundFile { fileKey(spelt), spelt, spelt != name };
}

std::vector<FoundFile> ChartFolder::files()
{
    // The listing adds a separator and "*" itself: a directory goes without its last
    // separator, the root as "\.", the current directory as ".".
    std::string folder = lookup_->directory;
    if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) {
        folder.pop_back();
    }
    if (folder.empty()) {
        folder = lookup_->directory + ".";
    }
    std::string error;
    const std::optional<std::vector<FolderEntry>> entries = folderEntries(folder, error);
    if (!entries) {
        lookup_->unread.insert("cannot read the folder " + folder + ": " + error);
        return {};
    }
    std::vector<FoundFile> found;
    for (const FolderEntry& entry : *entries) {
        if (entry.kind != PathKind::Folder) {
            found.push_back({ fileKey(entry.name), entry.name });
        }
    }
    std::sort(found.begin(), found.end(), [](const FoundFile& a, const FoundFile& b) { return a.name < b.name; });
    return found;
}

std::vector<std::string> ChartFolder::takeUnreadFolders()
{
    std::vector<std::string> unread(lookup_->unread.begin(), lookup_->unread.end());
    lookup_->unread.clear();
    return unread;
}
