#include "cli/chart_walk.h"

#include <algorithm>
#include <optional>

#include "editing/file_name_rules.h"
#include "platform/folder_entries.h"

namespace {

// Names from the system are code page 932 on Windows, whose second bytes may be "\\".
constexpr bool kDoubleByteNames = kPathSeparator == '\\';

std::string joinPath(const std::string& folder, const std::string& name)
{
    const bool endsInSeparator = directoryPart(folder, kDoubleByteNames).size() == folder.size();
    return endsInSeparator ? folder + name : folder + kPathSeparator + name;
}

class FolderWalk {
public:
    explicit FolderWalk(std::vector<ChartItem>& items)
        : items_(items)
    {
    }

    void walk(const std::string& folder)
    {
        const std::optional<FolderIdentity> identity = folderIdentity(folder);
        if (identity && std::find(ancestors_.begin(), ancestors_.end(), *identity) != ancestors_.end()) {
            items_.push_back({ folder, "not walked: the link leads back to a folder above it" });
            return;
        }
        std::string error;
        std::optional<std::vector<FolderEntry>> entries = folderEntries(folder, error);
        if (!entries) {
            items_.push_back({ folder, "cannot read the folder: " + error });
            return;
        }
        std::sort(entries->begin(), entries->end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
        if (identity) {
            ancestors_.push_back(*identity);
        }
        for (const FolderEntry& entry : *entries) {
            const std::string path = joinPath(folder, entry.name);
            if (entry.kind == PathKind::Folder) {
                walk(path);
            } else if (entry.kind == PathKind::Other || !isChartFileName(entry.name, kDoubleByteNames)) {
                continue;
            } else if (entry.unnamable) {
                items_.push_back({ path, "not read: the name has no form in the system's code page" });
            } else {
                // A link to nothing is taken too: its read says that the file is not there.
                items_.push_back({ path, {} });
            }
        }
        if (identity) {
            ancestors_.pop_back();
        }
    }

private:
    std::vector<ChartItem>& items_;
    // The folders from the walked argument down to the current one.
    std::vector<FolderIdentity> ancestors_;
};

} // namespace

ChartList listCharts(const std::vector<std::string>& arguments)
{
    ChartList list;
    for (const std::string& argument : arguments) {
        if (kindOfPath(argument) != PathKind::Folder) {
            list.items.push_back({ argument, {} });
            continue;
        }
        list.walkedFolders = true;
        const size_t before = list.items.size();
        FolderWalk(list.items).walk(argument);
        if (list.items.size() == before) {
            list.items.push_back({ argument, "no chart in the folder (.bms, .bme, .bml or .pms)" });
        }
    }
    return list;
}
