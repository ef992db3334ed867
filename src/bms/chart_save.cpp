#include "bms/chart_save.h"

#include <new>
#include <utility>

#include "bms/bms_reader.h"
#include "bms/bms_writer.h"
#include "bms/layout_keeping_writer.h"
#include "bms/parse_result.h"

std::string savedText(const BmsBms& document, SaveLayout layout)
{
    return layout == SaveLayout::KeepText ? layoutKeepingText(document) : chartText(document);
}

bool saveChartFile(const char* path, BmsBms& document, SaveLayout layout)
{
    std::string text;
    try {
        text = savedText(document, layout);
    } catch (const std::bad_alloc&) {
        lastParseResult().code = kResultCannotOpen;
        return false;
    }
    if (!writeChartBytes(path, text))
        return false;
    rebaseOnText(document, std::move(text));
    lastParseResult().code = kResultOk;
    return true;
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
