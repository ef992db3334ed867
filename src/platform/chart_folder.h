#pragma once

// The files beside a chart, as a player looks for them: a definition's name is a path
// relative to the chart's directory, with either slash. Charts come from Windows,
// whose file systems ignore case; on Linux the name is tried as its raw bytes and
// converted from code page 932 to UTF-8, with ASCII case ignored in every part.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editing/missing_files.h"

class ChartFolder : public FileLookup {
public:
    // The folder of the chart at chartPath.
    explicit ChartFolder(const std::string& chartPath);
    ~ChartFolder() override;
    ChartFolder(const ChartFolder&) = delete;
    ChartFolder& operator=(const ChartFolder&) = delete;

    // The file, not a directory, that a definition's name (code page 932) names.
    std::optional<FoundFile> find(const std::string& name) override;
    // The files directly in the folder, by name.
    std::vector<FoundFile> files();
    // The folders that the finds and listings since the last call could not read, as
    // "cannot read the folder PATH: REASON", each once; a file in such a folder counts
    // as not there.
    std::vector<std::string> takeUnreadFolders();

private:
    // What the platform keeps to look files up.
    struct Lookup;
    std::unique_ptr<Lookup> lookup_;
};
