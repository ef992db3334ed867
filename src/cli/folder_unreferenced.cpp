#include "cli/folder_unreferenced.h"

#include <any>

#include "cli/exit_status.h"
#include "platform/folder_entries.h"
#include "platform/text_encoding.h"
#include "editing/file_name_rules.h"

namespace {

// The folder as it is printed: without its last separator, "." for the current one.
std::string shownFolder(std::string directory)
{
    if (directory.size() > 1 && (directory.back() == '/' || directory.back() == kPathSeparator)) {
        directory.pop_back();
    }
    return directory.empty() ? "." : directory;
}

} // namespace

FolderUnreferencedReport::FolderUnreferencedReport(const ChartList& charts, bool json)
    : json_(json)
{
    for (const ChartItem& item : charts.items) {
        directories_.push_back(directoryPart(item.path, kPathSeparator == '\\'));
        lastChart_[directories_.back()] = directories_.size() - 1;
    }
}

void FolderUnreferencedReport::chartDone(std::size_t chart, ChartWork& work)
{
    const std::string& directory = directories_[chart];
    if (ChartFileUse* use = std::any_cast<ChartFileUse>(&work.detail)) {
        Folder& folder = open_[directory];
        folder.known = folder.known && use->read;
        folder.listed = folder.listed && (!use->read || use->media);
        folder.used.merge(use->used);
        if (!folder.media && use->media) {
            folder.media = std::move(use->media);
        }
    }
    const auto open = open_.find(directory);
    if (open != open_.end() && lastChart_.at(directory) == chart) {
        report(directory, open->second, work);
        open_.erase(open);
    }
}

void FolderUnreferencedReport::report(const std::string& directory, const Folder& folder, ChartWork& work)
{
    const std::string shown = shownFolder(directory);
    if (!folder.known) {
        // Deleting what such a list names could break the chart that was not read.
        work.err += shown + ": error: unreferenced files not listed: a chart in the folder did not read\n";
        work.status = kFailureStatus;
    }
    Json part;
    part["folder"] = systemTextToUtf8(shown);
    if (!folder.known || !folder.listed || !folder.media) {
        // A folder that a chart could not read was reported with the chart.
        part["unreferenced"] = nullptr;
    } else {
        Json names = Json::array();
        for (const FoundFile& file : *folder.media) {
            if (folder.used.count(file.key) == 0) {
                if (!json_) {
                    work.out += shown + ": unreferenced: " + systemTextForConsole(file.name) + '\n';
                }
                names.push_back(systemTextToUtf8(file.name));
            }
        }
        part["unreferenced"] = std::move(names);
    }
    if (json_) {
        parts_.push_back(jsonPart(part));
    }
}
