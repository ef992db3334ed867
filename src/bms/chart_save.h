#pragma once

// The two layouts a save writes, and what a save leaves behind: after it, the written
// text is the chart's own text, against which later edits and saves are measured.

#include <string>

#include "model/bms_bms.h"

enum class SaveLayout {
    Normalised, // bms_writer.h: fixed order, coarsest grids
    KeepText, // layout_keeping_writer.h: the chart's own text with the edits
};

// The bytes a save in the layout writes.
std::string savedText(const BmsBms& document, SaveLayout layout);

// Writes the chart to path as writeChart does; on success the written text becomes the
// document's own text (its edit state starts afresh on it).
bool saveChartFile(const char* path, BmsBms& document, SaveLayout layout);

// Makes text, which reads as the document's model, the document's own text.
void rebaseOnText(BmsBms& document, std::string text);
