#pragma once

// The texts of the editor's questions and notices about what a drop or a save does to
// the user's chart, so that each says what will be lost or where something went.

#include <optional>
#include <string>
#include <vector>

#include "editing/definition_counts.h"
#include "editing/file_registration.h"
#include "model/bms_bms.h"

// What a drop on a list did not do as the user may think: paths too long to take, names
// that found no free slot, rows passed over as used without a definition, names already
// registered, and names that are not in the chart's folder. Empty when there is nothing
// to say.
std::string dropReport(const std::vector<std::string>& tooLong, const FileRegistration& registration,
    const std::vector<std::string>& outsideFolder);

// The question before a base-36 chart with no free row left is switched to base 62.
std::string base62Question();

// Why a chart could not be switched to base 62.
std::string base62Refusal(const std::vector<std::string>& reasons);

// The box about dropped paths too long to take, one per line.
std::string tooLongPathsNotice(const std::vector<std::string>& paths);

// The box after a failed save: the file, why it could not be written (from the errno of
// the write, and whether the file is read-only), and the offer to save it elsewhere.
std::string saveFailureQuestion(const char* path, int error, bool readOnly);

// The question before unsaved changes would be discarded, naming the chart's file.
std::string unsavedChangesQuestion(const char* fileName);

// The status bar's line about a table: its counts, and how many of its files are not in
// the chart's folder (unknown while the chart has no file).
std::string definitionSummary(const DefinitionCounts& counts, std::optional<int> missingFiles);
