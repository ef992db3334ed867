#include "bms/bms_writer.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "bms/layout_check.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";

void appendHeaderLine(ChunkedOutput& out, const BmsHeaderOne& entry)
{
    out.append('#');
    out.append(entry.key());
    out.append(' ');
    out.append(entry.value());
    out.append(kLineEnd);
}

// TITLE, GENRE and ARTIST first, then every other header in the table's bucket order.
// The document's base, not a BASE header, decides how its indices read: a base-62 chart
// gets "#BASE 62" as the block's last line, before every definition, and a base-36 one
// never a BASE line that would make its indices case-sensitive.
void appendHeaderBlock(ChunkedOutput& out, const BmsHeaderHash& headers, IndexBase base)
{
    const std::unique_ptr<BmsHeaderHash> remaining = headers.clone();
    if (const BmsHeaderOne* written = remaining->find("BASE")) {
        if (base.isCaseSensitive() || indexBaseOfValue(written->value()).isCaseSensitive())
            remaining->remove("BASE");
    }
    for (const char* key : { "TITLE", "GENRE", "ARTIST" }) {
        if (const std::unique_ptr<BmsHeaderOne> entry = remaining->detach(key)) {
            appendHeaderLine(out, *entry);
        }
    }
    while (const std::unique_ptr<BmsHeaderOne> entry = remaining->detachFirst()) {
        appendHeaderLine(out, *entry);
    }
    if (base.isCaseSensitive())
        appendHeaderLine(out, BmsHeaderOne("BASE", "62"));
    out.append(kLineEnd);
}

// Every used slot in ascending index order, 00 to ZZ (zz in base 62).
void appendDefinitionBlock(ChunkedOutput& out, const BmsRegistArray& table)
{
    for (int value = 0; value < BmsRegistArray::kSlotCount; ++value) {
        const BmsWord index(value);
        if (!table.has(index)) {
            continue;
        }
        out.append('#');
        out.append(table.name());
        out.append(index.high());
        out.append(index.low());
        out.append(' ');
        out.append(table.get(index));
        out.append(kLineEnd);
        out.handOnWholeChunks();
    }
    out.append(kLineEnd);
}

// "#mmmcc:" with the measure number in three digits.
constexpr std::size_t kLineStartBytes = 7;

void writeLineStart(char* text, int measure, BmsWord channel)
{
    const char start[kLineStartBytes] = { '#', static_cast<char>('0' + measure / 100),
        static_cast<char>('0' + measure / 10 % 10), static_cast<char>('0' + measure % 10), channel.high(), channel.low(),
        ':' };
    std::memcpy(text, start, kLineStartBytes);
}

void appendLineStart(ChunkedOutput& out, int measure, BmsWord channel)
{
    char text[kLineStartBytes];
    writeLineStart(text, measure, channel);
    out.append(text, sizeof text);
}

void appendMeasureLengthLine(ChunkedOutput& out, int measure, BmsBar length)
{
    appendLineStart(out, measure, BmsWord('0', '2'));
    out.append(measureLengthText(length.ticks()));
    out.append(kLineEnd);
}

bool isEmptyDataText(std::string_view text)
{
    return text.empty() || text == "00";
}

// A data line is made whole in scratch and appended in one piece: a chart's normalised
// text is mostly such lines, many of them the empty lanes of its measures.
struct DataLine {
    std::string_view line; // with its line break
    std::string_view data; // the objects alone
};

// Room for a data line of a measure of ticks ticks: two characters per tick at most.
std::size_t dataLineBytes(int ticks)
{
    return kLineStartBytes + 2 * static_cast<std::size_t>(ticks) + kLineEnd.size() + 1;
}

DataLine measureDataLine(const BmsChannel& line, int measure, int start, int ticks, char* scratch)
{
    writeLineStart(scratch, measure, line.channel());
    const std::size_t size = static_cast<std::size_t>(measureDataText(line, start, ticks, scratch + kLineStartBytes));
    std::memcpy(scratch + kLineStartBytes + size, kLineEnd.data(), kLineEnd.size());
    return { std::string_view(scratch, kLineStartBytes + size + kLineEnd.size()),
        std::string_view(scratch + kLineStartBytes, size) };
}

// Writes the block of one measure, which starts at tick start. scratch has room for
// the data line of the longest measure.
void appendMeasureBlock(ChunkedOutput& out, const BmsBms& document, int measure, int start, char* scratch)
{
    const BmsBar length = document.measureLength(measure);
    const int ticks = length.ticks();
    if (ticks != BmsBar::kStandardTicks) {
        appendMeasureLengthLine(out, measure, length);
    }
    // A measure without ticks holds no object; its empty data text would not read back.
    if (ticks > 0) {
        for (const BmsChannel* line = document.firstLine(); line; line = line->next()) {
            if (line->channel().equalsText("01")) {
                // Every lane in every measure, so that the lanes keep their order when read.
                for (const BmsChannel* lane = line; lane; lane = lane->child())
                    out.append(measureDataLine(*lane, measure, start, ticks, scratch).line);
                continue;
            }
            const DataLine data = measureDataLine(*line, measure, start, ticks, scratch);
            if (!isEmptyDataText(data.data))
                out.append(data.line);
        }
    }
    out.append(kLineEnd);
}

int longestMeasureTicks(const BmsBms& document, int lastMeasure)
{
    int longest = 0;
    for (int measure = 0; measure <= lastMeasure; ++measure) {
        longest = std::max(longest, document.measureLength(measure).ticks());
    }
    return longest;
}

// Room for the usual case: a few headers, the definitions, and a short line per
// channel and measure, or the size of the text the chart was read from, which the
// normalised text seldom passes by much. Longer texts grow as they come; room that
// stays unused is never touched.
std::size_t expectedSize(const BmsBms& document, int lastMeasure)
{
    const ChartSource* source = document.editState().source();
    const std::size_t sourceBytes = source ? source->text.size() + source->text.size() / 8 : 0;
    constexpr std::size_t kBlockBytes = 4096;
    constexpr std::size_t kBytesPerLineAndMeasure = 24;
    int lines = 0;
    for (const BmsChannel* line = document.firstLine(); line; line = line->next()) {
        for (const BmsChannel* lane = line; lane; lane = lane->child()) {
            ++lines;
        }
    }
    return std::max(sourceBytes,
        kBlockBytes
            + static_cast<std::size_t>(lastMeasure + 1) * static_cast<std::size_t>(lines + 1)
                * kBytesPerLineAndMeasure);
}

} // namespace

std::int64_t measureLengthMillionths(int ticks)
{
    constexpr std::int64_t kMillionths = 1'000'000;
    return (std::int64_t { ticks } * kMillionths + BmsBar::kStandardTicks - 1) / BmsBar::kStandardTicks;
}

std::string measureLengthText(int ticks)
{
    constexpr std::int64_t kMillionths = 1'000'000;
    const std::int64_t millionths = measureLengthMillionths(ticks);
    char text[32];
    char* end = std::to_chars(text, text + sizeof text, millionths / kMillionths).ptr;
    *end++ = '.';
    const std::int64_t fraction = millionths % kMillionths;
    for (std::int64_t digit = kMillionths / 10; digit > 0; digit /= 10) {
        *end++ = static_cast<char>('0' + fraction / digit % 10);
    }
    return std::string(text, end);
}

void writeChartText(const BmsBms& document, ChunkedOutput& out)
{
    const int lastMeasure = document.lastMeasure();
    out.expect(expectedSize(document, lastMeasure));
    appendHeaderBlock(out, *document.headerTable(), document.indexBase());
    appendDefinitionBlock(out, *document.wavTable());
    appendDefinitionBlock(out, *document.bmpTable());

    const auto scratch
        = std::make_unique_for_overwrite<char[]>(dataLineBytes(longestMeasureTicks(document, lastMeasure)));
    int start = 0;
    for (int measure = 0; measure <= lastMeasure; ++measure) {
        appendMeasureBlock(out, document, measure, start, scratch.get());
        out.handOnWholeChunks();
        start += document.measureLength(measure).ticks();
    }
    for (int measure = lastMeasure + 1; measure < BmsBms::kMeasureCount; ++measure) {
        const BmsBar length = document.measureLength(measure);
        if (length.ticks() != BmsBar::kStandardTicks) {
            appendMeasureLengthLine(out, measure, length);
        }
    }
}

std::string chartText(const BmsBms& document)
{
    return ChunkedOutput::collect([&document](ChunkedOutput& out) { writeChartText(document, out); });
}
