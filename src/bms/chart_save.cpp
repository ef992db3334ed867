#include "bms/chart_save.h"

#include <new>
#include <utility>

#include "bms/bms_reader.h"
#include "bms/bms_writer.h"
#include "bms/layout_check.h"
#include "bms/layout_keeping_writer.h"
#include "bms/parse_result.h"

void writeSavedText(const BmsBms& document, SaveLayout layout, ChunkedOutput& out)
{
    if (layout == SaveLayout::KeepText)
        writeLayoutKeepingText(document, out);
    else
        writeChartText(document, out);
}

std::string savedText(const BmsBms& document, SaveLayout layout)
{
    return ChunkedOutput::collect([&](ChunkedOutput& out) { writeSavedText(document, layout, out); });
}

SaveLosses lossesOf(const BmsBms& document, SaveLayout layout)
{
    SaveLosses losses { findingsLostBy(document, layout), {} };
    const ChartSource* source = document.editState().source();
    if (layout == SaveLayout::Normalised && source)
        losses.unwritten = findUnwrittenLines(source->text);
    return losses;
}

SaveOutcome saveChart(
    const BmsBms& document, SaveLayout layout, const LossQuestion& acceptLosses, const SavedBytesWriter& write)
{
    const SaveLosses losses = lossesOf(document, layout);
    if (!losses.empty() && !acceptLosses(losses))
        return SaveOutcome::Declined;
    bool written = false;
    try {
        written = write([&](const BytesConsumer& consumer) {
            ChunkedOutput out(consumer);
            writeSavedText(document, layout, out);
            return out.finish();
        });
    } catch (const std::bad_alloc&) {
        written = false;
    }
    lastParseResult().code = written ? kResultOk : kResultCannotOpen;
    return written ? SaveOutcome::Written : SaveOutcome::Failed;
}

SaveOutcome saveChartFile(
    const char* path, BmsBms& document, SaveLayout layout, const LossQuestion& acceptLosses, FileWriter writeFile)
{
    // The editor writes the whole text at once, as it keeps it afterwards anyway.
    std::string written;
    const SaveOutcome outcome = saveChart(document, layout, acceptLosses, [&](const SavedBytesMaker& make) {
        std::string text;
        make([&text](std::string_view piece) {
            text += piece;
            return true;
        });
        if (!writeFile(path, text))
            return false;
        written = std::move(text);
        return true;
    });
    if (outcome == SaveOutcome::Written)
        rebaseOnText(document, std::move(written));
    return outcome;
}

// The text is read again for the facts that the reader records (its references and
// findings); the model, which it reads as, stays.
void rebaseOnText(BmsBms& document, std::string text)
{
    BmsReader reader;
    reader.setNoticeSink({});
    std::unique_ptr<BmsBms> reread;
    if (reader.readBytes(text, reread))
        document.editState() = reread->editState();
}
