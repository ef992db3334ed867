#include "heavy_chart.h"

#include <cstdint>
#include <cstdio>

#include "model/bms_word.h"

namespace {

// A small fixed generator (xorshift64*), so that every platform makes the same chart.
class ChartRandom {
public:
    explicit ChartRandom(unsigned seed)
        : state_(0x51D0C0FFEEULL + seed * 0x9E3779B97F4A7C15ULL)
    {
    }

    std::uint32_t next(std::uint32_t bound)
    {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return static_cast<std::uint32_t>((state_ * 0x2545F4914F6CDD1DULL) >> 32) % bound;
    }

private:
    std::uint64_t state_;
};

constexpr const char* kLineEnd = "\r\n";

void appendIndex(std::string& out, IndexBase base, int row)
{
    const BmsWord index = base.wordAt(row);
    out += index.high();
    out += index.low();
}

void appendDefinitions(std::string& out, IndexBase base, const char* kind, int first, int last, const char* pattern)
{
    char name[64];
    for (int value = first; value <= last; ++value) {
        out += '#';
        out += kind;
        appendIndex(out, base, value);
        std::snprintf(name, sizeof name, pattern, value);
        out += ' ';
        out += name;
        out += kLineEnd;
    }
}

void appendLineStart(std::string& out, int measure, const char* channel)
{
    char start[16];
    std::snprintf(start, sizeof start, "#%03d%s:", measure, channel);
    out += start;
}

// One data line of objectCount objects, each an index first..last with the given chance
// in 256 and "00" otherwise.
void appendDataLine(std::string& out, IndexBase base, ChartRandom& random, int measure, const char* channel,
    int objectCount, int first, int last, std::uint32_t chance)
{
    appendLineStart(out, measure, channel);
    for (int j = 0; j < objectCount; ++j) {
        if (first <= last && random.next(256) < chance)
            appendIndex(out, base, first + static_cast<int>(random.next(static_cast<std::uint32_t>(last - first + 1))));
        else
            out += "00";
    }
    out += kLineEnd;
}

} // namespace

std::string heavyChartText(const HeavyChartShape& shape)
{
    static const char* const kNoteChannels[] = { "11", "12", "13", "14", "15", "16", "17", "18", "19", "21", "22", "23",
        "24", "25", "26", "27", "28", "29" };
    static const int kNoteGrids[] = { 16, 24, 32, 48, 64 };

    ChartRandom random(shape.seed);
    std::string out;
    out.reserve(static_cast<std::size_t>(shape.measures) * (3000 + 100 * shape.lanes) + 64 * 1024);
    out += "*---------------------- HEADER FIELD";
    out += kLineEnd;
    for (const char* header : { "#PLAYER 1", "#GENRE BENCHMARK", "#TITLE Heavy Chart", "#ARTIST Quelmarn", "#BPM 150",
             "#PLAYLEVEL 12", "#RANK 2", "#TOTAL 400" }) {
        out += header;
        out += kLineEnd;
    }
    if (shape.base.isCaseSensitive()) {
        out += "#BASE 62";
        out += kLineEnd;
    }
    out += kLineEnd;
    appendDefinitions(out, shape.base, "WAV", shape.firstSound, shape.sounds, "keysound_%04d.wav");
    appendDefinitions(out, shape.base, "BMP", 1, shape.images, "layer_%03d.bmp");
    out += kLineEnd;
    out += "*---------------------- MAIN DATA FIELD";
    out += kLineEnd;

    for (int m = 0; m < shape.measures; ++m) {
        if (m % 64 == 31) {
            appendLineStart(out, m, "02");
            out += m % 128 == 31 ? "0.75" : "1.5";
            out += kLineEnd;
        }
        for (int lane = 0; lane < shape.lanes; ++lane)
            appendDataLine(out, shape.base, random, m, "01", 16, shape.firstSound, shape.sounds, 160);
        for (int n = 0; n < shape.noteChannels; ++n) {
            const char* channel = kNoteChannels[n];
            const int grid = kNoteGrids[random.next(sizeof kNoteGrids / sizeof kNoteGrids[0])];
            appendDataLine(out, shape.base, random, m, channel, grid, shape.firstSound, shape.sounds, 128);
        }
        appendDataLine(out, shape.base, random, m, "04", 4, 1, shape.images, 200);
        appendDataLine(out, shape.base, random, m, "06", 2, 1, shape.images, 64);
        appendDataLine(out, shape.base, random, m, "07", 8, 1, shape.images, 128);
        out += kLineEnd;
    }
    return out;
}

HeavyChartShape heavyBase62Shape()
{
    const IndexBase base = IndexBase::ofRadix(IndexBase::kCaseSensitiveRadix);
    return { .sounds = base.rowCount() - 1, .base = base };
}
