#include "bms/chart_save.h"

#include <new>
#include <utility>

#include "bms/bms_reader.h"
#include "bms/bms_writer.h"
#include "bms/layout_check.h"
#include "bms/layout_keeping_writer.h"
#include "bms/parse_result.h"

std::string savedText(const BmsBms& document, SaveLayout layout)
{
    return layout == SaveLayout::KeepText ? layoutKeepingText(document) : chartText(document);
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
        written = write(savedText(document, layout));
    } catch (const std::bad_alloc&) {
        written = false;
    }
    lastParseResult().code = written ? kResultOk : kResultCannotOpen;
    return written ? SaveOutcome::Written : SaveOutcome::Failed;
}

SaveOutcome saveChartFile(
    const char* path, BmsBms& document, SaveLayout layout, const LossQuestion& acceptLosses, FileWriter writeFile)
{
    std::string written;
    const SaveOutcome outcome = saveChart(document, layout, acceptLosses, [&](std::string_view bytes) {
        if (!writeFile(path, bytes))
            return false;
        written = bytes;
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
