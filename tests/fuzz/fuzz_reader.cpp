// Feeds arbitrary bytes to the reader. A read either hands out a whole document with
// the result code 0, or fails with another code and leaves the caller's document as
// it was; the sanitizers catch everything else. Each check on a document that reads
// is one call in LLVMFuzzerTestOneInput. A document that reads must also be written,
// read back and written again to the same bytes, and its lines that the normalised save
// leaves out must be found in order.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "bms/bms_reader.h"
#include "bms/bms_writer.h"
#include "bms/layout_check.h"
#include "bms/parse_result.h"

namespace {

// Small enough that no input can take the fuzzer's memory limit; the budget rules are
// the same at any size.
constexpr std::size_t kFuzzStorageBudget = std::size_t { 64 } << 20;

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// The document read from the input, or none when the read failed.
std::unique_ptr<BmsBms> readInput(std::string_view bytes)
{
    BmsReader reader;
    reader.setNoticeSink({});
    reader.setStorageBudget(kFuzzStorageBudget);
    auto document = std::make_unique<BmsBms>();
    const BmsBms* untouched = document.get();
    const bool read = reader.readBytes(bytes, document);
    require(read == (lastParseResult().code == kResultOk));
    require(read ? document.get() != untouched : document.get() == untouched);
    if (!read)
        return nullptr;
    return document;
}

// The document's shape: measure lengths in range, one top-level line per channel in
// ascending order, lanes only below channel 01, capacities in whole growth steps.
void checkDocument(const BmsBms& document)
{
    for (int m = 0; m < BmsBms::kMeasureCount; ++m) {
        const int ticks = document.measureLength(m).ticks();
        require(ticks >= 0 && ticks <= BmsBms::kMaxMeasureTicks);
    }
    int lines = 0;
    int previousChannel = -1;
    for (const BmsChannel* line = document.firstLine(); line; line = line->next()) {
        ++lines;
        require(line->channel().value() > previousChannel);
        previousChannel = line->channel().value();
        require(!line->child() || line->channel().equalsText("01"));
        for (const BmsChannel* lane = line; lane; lane = lane->child()) {
            require(lane->channel().equals(line->channel()));
            require(lane->capacity() > 0 && lane->capacity() % BmsBuffer::kGrowthStep == 0);
        }
    }
    require(lines == document.lineCount());
}

// The normalised text reads back, and normalising that gives the same bytes. Every
// object it writes stands on a tick and every length is whole ticks.
void checkRoundTrip(const BmsBms& document)
{
    const std::string written = chartText(document);
    const std::unique_ptr<BmsBms> reread = readInput(written);
    require(reread != nullptr);
    require(chartText(*reread) == written);
    for (const SourceFinding& finding : findUnkeepableConstructs(*reread)) {
        require(finding.kind == SourceFinding::Kind::ControlFlow || finding.kind == SourceFinding::Kind::UnkeptBase);
    }
}

} // namespace

// The lines a normalised save leaves out lie in the text, in order, each without its line end.
void checkUnwrittenLines(const BmsBms& document)
{
    const ChartSource* source = document.editState().source();
    require(source != nullptr);
    int previous = 0;
    for (const UnwrittenLine& line : findUnwrittenLines(source->text)) {
        require(line.line > previous && line.text.find('\n') == std::string::npos);
        previous = line.line;
    }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::unique_ptr<BmsBms> document = readInput({ reinterpret_cast<const char*>(data), size });
    if (!document)
        return 0;
    checkDocument(*document);
    checkRoundTrip(*document);
    checkUnwrittenLines(*document);
    return 0;
}
