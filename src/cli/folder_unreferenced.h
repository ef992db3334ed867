#pragma once

// The sound and image files of a song folder that no chart in it names. The charts of
// one folder (one per difficulty) share its files, so a file is unreferenced only when
// none of them finds it, under its own name or another extension of its kind; each
// folder is reported once, after the last of its charts.

#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "cli/chart_report.h"

// What a chart's work keeps (ChartWork::detail) for the report on its folder.
struct ChartFileUse {
    // False when the chart did not read: what it names is not known.
    bool read = true;
    // The keys of the files that its definitions find.
    std::set<std::string> used;
    // The sound and image files directly in its folder; nothing when the folder could
    // not be listed.
    std::optional<std::vector<FoundFile>> media;
};

// Prints "FOLDER: unreferenced: NAME" lines, or with json makes the JSON array's parts
// {"folder", "unreferenced": [names], or null when they are not known}.
class FolderUnreferencedReport : public GroupReport {
public:
    FolderUnreferencedReport(const ChartList& charts, bool json);

    void chartDone(std::size_t chart, ChartWork& work) override;
    const char* jsonKey() const override { return "folders"; }
    const std::vector<std::string>& jsonParts() const override { return parts_; }

private:
    struct Folder {
        // Every chart read, and every chart's lookups read the folders they needed.
        bool known = true;
        bool listed = true;
        std::set<std::string> used;
        std::optional<std::vector<FoundFile>> media;
    };

    void report(const std::string& directory, const Folder& folder, ChartWork& work);

    bool json_;
    // The folder of every chart, as its path spells it, and the last chart of each.
    std::vector<std::string> directories_;
    std::map<std::string, std::size_t> lastChart_;
    // The folders whose last chart is still to come.
    std::map<std::string, Folder> open_;
    std::vector<std::string> parts_;
};
