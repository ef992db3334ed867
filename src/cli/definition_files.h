#pragma once

// The file behind each definition of a chart, as quelmarn-cli files reports it: the
// file a player finds, what it is, and what in it may break the chart somewhere.

#include <optional>
#include <string>
#include <vector>

#include "model/definition_kind.h"
#include "editing/missing_files.h"
#include "media/media_info.h"

// What may break a definition's file, in the order the report lists them.
enum class FileFlag {
    Missing,
    Undecodable,
    TooLong,
    NonPcm,
    NonAsciiName,
    CaseMismatch,
};

// "missing", "undecodable", "too-long", "non-pcm", "non-ascii-name", "case-mismatch".
const char* flagKeyword(FileFlag flag);

struct DefinitionFile {
    DefinitionKind kind;
    BmsWord index;
    // As the chart writes it (code page 932).
    std::string name;
    // The file found, relative to the chart's folder as the system spells it.
    std::optional<FoundFile> file;
    // What the file is; only when a file was found.
    MediaInfo media;
    std::vector<FileFlag> flags;
};

// Looks up and decodes the file of every definition of the chart at chartPath, both
// kinds, in index order. A sound longer than maxSeconds is flagged too long.
std::vector<DefinitionFile> examineDefinitionFiles(
    const BmsBms& document, const std::string& chartPath, FileLookup& folder, double maxSeconds);
