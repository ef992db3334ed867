#pragma once

// Which definitions name files that are not beside the chart, the way a player looks
// for them: a definition's name is a path relative to the chart's folder, and a player
// that misses a file tries the same name with the other extensions of its kind. How a
// folder is searched belongs to each platform, behind FileLookup.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "model/bms_bms.h"
#include "model/definition_kind.h"

struct FoundFile {
    // Equal for two finds of the same file, and for the same file in a folder's listing.
    std::string key;
    // Its path relative to the chart's folder, as the system spells it.
    std::string name;
    // Whether it was found only by ignoring ASCII case, which a case-sensitive file
    // system would not do.
    bool caseDiffers = false;
};

class FileLookup {
public:
    virtual ~FileLookup() = default;
    // The file, not a directory, that a definition's name (code page 932) names.
    virtual std::optional<FoundFile> find(const std::string& name) = 0;
};

// Answers for the files directly in a folder from one listing of it, with ASCII case
// ignored as the systems that charts come from ignore it, and asks the folder itself
// only about names with a directory part. For callers that ask about the same names
// again and again: one listing costs less than a look at each name.
class ListedFolderLookup : public FileLookup {
public:
    ListedFolderLookup(FileLookup& folder, const std::vector<FoundFile>& files);
    std::optional<FoundFile> find(const std::string& name) override;

private:
    FileLookup& folder_;
    std::map<std::string, FoundFile> byFoldedName_;
};

// A definition whose file is not there under its own name.
struct AbsentFile {
    DefinitionKind kind;
    BmsWord index;
    std::string name;
    // The same name with another extension of the kind, when the folder has it.
    std::optional<std::string> foundAs;
};

// The file that a player finds for a definition's name: the name itself, else the same
// name with the extensions of its kind in a player's order (sounds .wav, .ogg, .flac,
// .mp3; pictures .bmp, .png, .jpg, then .jpeg and the movies). otherExtension tells
// whether it took another extension.
std::optional<FoundFile> findDefinitionFile(
    FileLookup& lookup, DefinitionKind kind, const std::string& name, bool& otherExtension);

// Looks up every definition of the table of the kind, in index order; the keys of the
// files found, under their own name or another extension, are added to found unless it
// is null.
std::vector<AbsentFile> findAbsentFiles(
    const BmsBms& document, DefinitionKind kind, FileLookup& lookup, std::set<std::string>* found = nullptr);

// Definitions of the kind whose file is not there under any extension of the kind.
int countMissingFiles(const BmsBms& document, DefinitionKind kind, FileLookup& lookup);

// Whether the name's extension is one of a sound or a picture that a chart may name.
bool isMediaFileName(std::string_view name);
