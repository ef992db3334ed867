#pragma once

// The texts of the editor's questions and notices about what a drop or a save does to
// the user's chart, so that each says what will be lost or where something went.

#include <optional>
#include <string>
#include <vector>

#include "editing/definition_counts.h"
#include "editing/file_registration.h"
#include "model/bms_bms.h"

// What folding the case of a #BASE 62 chart's indices loses: caseShared definitions
// share an index once case is ignored. Empty when none do.
std::string caseSharedSentence(int caseShared);

// The notice on opening a #BASE 62 chart.
std::string caseFoldingNotice(int caseShared);

// What a drop on a list did not do as the user may think: names that found no free
// slot, names already registered, and names that are not in the chart's folder. Empty
// when there is nothing to say.
std::string dropReport(const FileRegistration& registration, const std::vector<std::string>& outsideFolder);

// The question before unsaved changes would be discarded, naming the chart's file.
std::string unsavedChangesQuestion(const char* fileName);

// The status bar's line about a table: its counts, and how many of its files are not in
// the chart's folder (unknown while the chart has no file).
std::string definitionSummary(const DefinitionCounts& counts, std::optional<int> missingFiles);
