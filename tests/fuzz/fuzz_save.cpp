// Edits a chart at random and saves it keeping its layout. The chart is the input's
// bytes, or a generated chart when they do not read; the operations come from the
// input's end: swaps, moves, removals, unregistering, compaction and registration on
// either table, with undo and redo between them, as the editor records them. The saved
// text must read back as the edited chart, and differ from the original text only in
// index characters and in definition lines that came or went; handed on in small chunks,
// it must come out the same.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bms/bms_reader.h"
#include "bms/bms_writer.h"
#include "bms/layout_comparison.h"
#include "bms/layout_keeping_writer.h"
#include "bms/round_trip_chart_generator.h"
#include "editing/definition_operations.h"
#include "editing/edit_history.h"
#include "editing/file_registration.h"
#include "editing/recording_page.h"

namespace {

constexpr std::size_t kFuzzStorageBudget = std::size_t { 64 } << 20;
constexpr int kMaxOperations = 12;

void require(bool condition)
{
    if (!condition)
        std::abort();
}

std::unique_ptr<BmsBms> read(const std::string& text)
{
    BmsReader reader;
    reader.setNoticeSink({});
    reader.setStorageBudget(kFuzzStorageBudget);
    std::unique_ptr<BmsBms> document;
    if (!reader.readBytes(text, document))
        return nullptr;
    return document;
}

// Rows of the page, most of them among the first few where charts define things.
int pickRow(FuzzedDataProvider& input, RecordingPage& page)
{
    return input.ConsumeBool() ? input.ConsumeIntegralInRange(0, 15)
                               : input.ConsumeIntegralInRange(0, page.rowCount() - 1);
}

void runTableOperation(FuzzedDataProvider& input, RecordingPage& page, ListExchanger& plan)
{
    page.selection = { pickRow(input, page), pickRow(input, page) };
    page.caret = pickRow(input, page);
    switch (input.ConsumeIntegralInRange(0, 6)) {
    case 0:
        swapTopTwoSelected(page, plan);
        break;
    case 1:
        moveSelection(page, plan, input.ConsumeBool());
        break;
    case 2:
        removeSelected(page);
        break;
    case 3:
        unregisterUnreferenced(page);
        break;
    case 4:
        compactIndices(page, plan);
        break;
    case 5:
        registerFileNames(page, { "fuzz.wav", "Fuzz.bmp" });
        break;
    default:
        page.selection = { pickRow(input, page), pickRow(input, page), pickRow(input, page) };
        moveSelection(page, plan, input.ConsumeBool());
        break;
    }
}

void edit(FuzzedDataProvider& input, BmsBms& document)
{
    EditHistory history;
    ListExchanger plan;
    const int operations = input.ConsumeIntegralInRange(1, kMaxOperations);
    for (int i = 0; i < operations; ++i) {
        switch (input.ConsumeIntegralInRange(0, 3)) {
        case 0:
            history.undo(document, plan);
            break;
        case 1:
            history.redo(document, plan);
            break;
        default: {
            RecordingPage page(document, input.ConsumeBool() ? kKindBmp : kKindWav);
            history.beginTableChange(document, page.kind(), plan);
            runTableOperation(input, page, plan);
            history.endTableChange(document, plan);
            break;
        }
        }
    }
}

// The chart's normalised text as its sorted lines. A header key that an edit renames
// (#BGAxx) goes to the tail of its bucket, where a text read afresh has it in the order
// of its lines; that order within a bucket is no part of what the chart plays or shows.
std::vector<std::string> sortedChartLines(BmsBms& document)
{
    const std::string text = chartText(document);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        lines.emplace_back(text, start, end - start);
        start = end + 1;
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

// The kept text as it goes on in chunks of chunkSize bytes, joined: a byte that the writer
// changes after its chunk went on shows as a difference from the text made whole.
std::string keptInChunks(const BmsBms& document, std::size_t chunkSize)
{
    std::string joined;
    ChunkedOutput out(
        [&joined](std::string_view piece) {
            joined += piece;
            return true;
        },
        chunkSize);
    writeLayoutKeepingText(document, out);
    require(out.finish());
    return joined;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const bool generated = input.ConsumeBool();
    const std::uint64_t seed = input.ConsumeIntegral<std::uint64_t>();
    const std::vector<std::uint8_t> operationBytes
        = input.ConsumeBytes<std::uint8_t>(input.ConsumeIntegralInRange<std::size_t>(0, 64));
    std::string text = input.ConsumeRemainingBytesAsString();
    FuzzedDataProvider operations(operationBytes.data(), operationBytes.size());
    std::unique_ptr<BmsBms> document = generated ? nullptr : read(text);
    if (!document) {
        text = randomChartText(seed);
        document = read(text);
        if (!document)
            return 0;
    }
    edit(operations, *document);

    const std::string kept = layoutKeepingText(*document);
    const std::string change = layoutChangeOutsideIndices(text, kept);
    if (!change.empty()) {
        std::fwrite(change.data(), 1, change.size(), stderr);
        std::abort();
    }
    constexpr std::uint64_t kLargestChunk = 16;
    require(keptInChunks(*document, 1 + seed % kLargestChunk) == kept);
    const std::unique_ptr<BmsBms> reread = read(kept);
    require(reread != nullptr);
    require(sortedChartLines(*reread) == sortedChartLines(*document));
    return 0;
}
