#pragma once

// The one save of both faces: what the chosen layout would lose is asked about first,
// then the bytes are made and handed to a writer. After a save of the chart's file, the
// written text is the chart's own text, against which later edits and saves are
// measured. The core writes nothing itself: the faces hand in the platform's safe file
// replacement (or standard output), which takes the bytes in pieces as they are made.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "bms/chunked_output.h"
#include "bms/layout_check.h"
#include "bms/save_layout.h"
#include "model/bms_bms.h"
#include "model/chart_source.h"

enum class SaveOutcome {
    Written,
    Declined, // the layout would lose something and the question was answered no
    Failed, // the bytes could not be made or written; the result code is 4
};

// What a save in a layout would lose or change besides indices.
struct SaveLosses {
    std::vector<SourceFinding> findings; // what the chart plays, or lines it cannot keep
    std::vector<UnwrittenLine> unwritten; // comments and other lines the normalised layout drops

    bool empty() const { return findings.empty() && unwritten.empty(); }
};

SaveLosses lossesOf(const BmsBms& document, SaveLayout layout);

// Asked with what the layout would lose (never empty); true writes the chart anyway.
using LossQuestion = std::function<bool(const SaveLosses& losses)>;
// Makes the saved bytes, handing them piece after piece to the consumer; false when the
// consumer refused a piece.
using SavedBytesMaker = std::function<bool(const BytesConsumer& consumer)>;
// Writes what the maker hands it; false when the bytes could not be written (errno tells
// why). A failure part-way must leave no half-written file.
using SavedBytesWriter = std::function<bool(const SavedBytesMaker& make)>;
// Writes bytes as the whole new content of a file (platform/file_replace.h).
using FileWriter = bool (*)(const char* path, std::string_view bytes);

// Writes the bytes of a save in the layout to out, which is not finished.
void writeSavedText(const BmsBms& document, SaveLayout layout, ChunkedOutput& out);
// The bytes a save in the layout writes.
std::string savedText(const BmsBms& document, SaveLayout layout);

// Asks about the losses, makes the bytes and writes them; the document is not changed.
SaveOutcome saveChart(
    const BmsBms& document, SaveLayout layout, const LossQuestion& acceptLosses, const SavedBytesWriter& write);

// saveChart to the chart's file at path; once written, the text becomes the document's
// own text (its edit state starts afresh on it).
SaveOutcome saveChartFile(
    const char* path, BmsBms& document, SaveLayout layout, const LossQuestion& acceptLosses, FileWriter writeFile);

// Makes text, which reads as the document's model, the document's own text.
void rebaseOnText(BmsBms& document, std::string text);
