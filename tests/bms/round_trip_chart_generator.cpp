#include "round_trip_chart_generator.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// splitmix64: the same numbers on every platform and library, unlike the standard
// distributions.
class Random {
public:
    explicit Random(std::uint64_t seed)
        : state_(seed)
    {
    }

    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return z ^ (z >> 31);
    }
    // 0 .. bound - 1
    int below(int bound) { return static_cast<int>(next() % static_cast<std::uint64_t>(bound)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool percent(int chance) { return below(100) < chance; }
    template <typename T, std::size_t N> const T& pick(const T (&items)[N]) { return items[below(N)]; }

private:
    std::uint64_t state_;
};

constexpr std::string_view kAlphanumerics = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

class ChartGenerator {
public:
    explicit ChartGenerator(std::uint64_t seed)
        : random_(seed)
    {
    }

    std::string chart()
    {
        lastDataMeasure_ = random_.between(0, 40);
        addHeaders();
        addDefinitions("WAV");
        addDefinitions("BMP");
        addMeasureLengths();
        addChannelData();
        addIgnoredLines();
        if (random_.percent(4))
            addRejectedLine();
        std::shuffle(lines_.begin(), lines_.end(), ShuffleSource { random_ });
        return joinedLines();
    }

private:
    struct ShuffleSource {
        using result_type = std::uint64_t;
        static constexpr result_type min() { return 0; }
        static constexpr result_type max() { return ~result_type { 0 }; }
        result_type operator()() { return random.next(); }
        Random& random;
    };

    char alphanumeric() { return kAlphanumerics[random_.below(static_cast<int>(kAlphanumerics.size()))]; }

    std::string blanks()
    {
        std::string text;
        for (int count = random_.between(1, 3); count > 0; --count)
            text += random_.percent(80) ? ' ' : '\t';
        return text;
    }

    std::string randomCase(std::string_view word)
    {
        std::string text(word);
        for (char& c : text) {
            if (c >= 'A' && c <= 'Z' && random_.percent(30))
                c = static_cast<char>(c - 'A' + 'a');
        }
        return text;
    }

    // ASCII, inner and trailing blanks, and Shift-JIS pairs whose second byte may be
    // an ASCII letter, "\" or "#". Never a line end, NUL or 0x1A.
    std::string text(int longest)
    {
        constexpr std::string_view kAscii = "abcXYZ019 ._-#\\()[]!&'~";
        std::string value(1, alphanumeric());
        for (int count = random_.below(longest); count > 0; --count) {
            if (random_.percent(30)) {
                const int lead = random_.percent(80) ? random_.between(0x81, 0x9F) : random_.between(0xE0, 0xFC);
                int trail = random_.between(0x40, 0xFC);
                if (trail == 0x7F)
                    trail = 0x80;
                value += static_cast<char>(lead);
                value += static_cast<char>(trail);
            } else {
                value += kAscii[random_.below(static_cast<int>(kAscii.size()))];
            }
        }
        if (random_.percent(10))
            value += "  ";
        return value;
    }

    void addHeaders()
    {
        static constexpr const char* kKeys[] = { "TITLE", "GENRE", "ARTIST", "BPM", "TOTAL", "PLAYLEVEL", "RANK",
            "PLAYER", "STAGEFILE", "SUBTITLE", "BPM01", "WAV1", "WAV012", "BMPZZZ", "LNOBJ", "DIFFICULTY" };
        for (int count = random_.below(14); count > 0; --count) {
            std::string key;
            if (random_.percent(80)) {
                key = randomCase(random_.pick(kKeys));
            } else {
                key = "X";
                for (int length = random_.between(0, 12); length > 0; --length)
                    key += alphanumeric();
            }
            lines_.push_back(leadingBlanks() + "#" + key + blanks() + text(random_.percent(5) ? 3000 : 40));
        }
    }

    void addDefinitions(std::string_view kind)
    {
        for (int count = random_.below(50); count > 0; --count) {
            // Appended one by one: the draws happen in this order, and GCC 12 sees no
            // overlapping copy in a long chain of temporaries.
            std::string line = "#";
            line += randomCase(kind);
            line += alphanumeric();
            line += alphanumeric();
            line += blanks();
            line += text(24);
            line += random_.percent(50) ? ".wav" : ".bmp";
            lines_.push_back(std::move(line));
        }
    }

    // Each measure's length is given once, or first as "1", which the reader allows.
    void addMeasureLengths()
    {
        static constexpr const char* kLengths[] = { "0.75", ".5", "1.0", "0", "0.0", "3", "0.1", "0.098959", "0.122396",
            "1.333333333", "16", "0.001", "2.5", "0.0026", "7.", "00.25" };
        std::vector<int> measures;
        for (int count = random_.below(12); count > 0; --count) {
            measures.push_back(
                random_.percent(85) ? random_.between(0, lastDataMeasure_ + 2) : random_.between(0, 999));
        }
        std::sort(measures.begin(), measures.end());
        measures.erase(std::unique(measures.begin(), measures.end()), measures.end());
        for (const int measure : measures) {
            std::string length = random_.pick(kLengths);
            if (random_.percent(25))
                length = std::to_string(random_.below(4)) + "." + std::to_string(random_.below(1'000'000));
            // The "1" must come first, so both lines stay together through the shuffle.
            const std::string first = random_.percent(10) ? channelLineStart(measure, "02") + "1\n" : std::string();
            lines_.push_back(first + channelLineStart(measure, "02") + length);
        }
    }

    std::string channelLineStart(int measure, std::string_view channel)
    {
        char number[4];
        std::snprintf(number, sizeof number, "%03d", measure);
        return leadingBlanks() + "#" + number + std::string(channel) + ":";
    }

    std::string leadingBlanks() { return random_.percent(5) ? blanks() : std::string(); }

    std::string objects(int count)
    {
        std::string data;
        for (int i = 0; i < count; ++i)
            data += random_.percent(60) ? std::string("00") : std::string { alphanumeric(), alphanumeric() };
        if (random_.percent(10))
            data += blanks();
        return data;
    }

    int objectCount()
    {
        static constexpr int kCounts[] = { 1, 1, 2, 3, 4, 6, 8, 12, 16, 24, 32, 48, 64, 96, 192, 384, 7, 5, 9 };
        return random_.percent(3) ? random_.between(1000, 2500) : random_.pick(kCounts);
    }

    void addChannelData()
    {
        static constexpr const char* kChannels[] = { "01", "03", "04", "06", "07", "08", "09", "0A", "11", "12", "13",
            "14", "15", "16", "18", "19", "1a", "21", "25", "31", "51", "5Z", "A5", "D1", "E9", "ZZ" };
        std::string channels[8];
        for (std::string& channel : channels) {
            channel = random_.pick(kChannels);
            // Any pair but 02, whose lines are measure lengths.
            while (random_.percent(10) || channel == "02")
                channel = { alphanumeric(), alphanumeric() };
        }
        const int lanes = random_.between(1, 4);
        for (int measure = 0; measure <= lastDataMeasure_; ++measure) {
            if (random_.percent(15))
                continue;
            for (int lane = random_.between(0, lanes); lane > 0; --lane)
                lines_.push_back(channelLineStart(measure, "01") + objects(objectCount()));
            for (int count = random_.below(10); count > 0; --count)
                lines_.push_back(channelLineStart(measure, random_.pick(channels)) + objects(objectCount()));
        }
        if (random_.percent(10))
            lines_.push_back(channelLineStart(random_.between(500, 999), random_.pick(channels)) + objects(2));
    }

    void addIgnoredLines()
    {
        static constexpr const char* kIgnored[] = { "", "// comment", "*---------------------- HEADER FIELD",
            "\xEF\xBB\xBF#TITLE ignored", "  ", "\t", "%URL http://example.com/", "\x83\x52\x83\x81\x83\x93\x83\x67" };
        for (int count = random_.below(8); count > 0; --count)
            lines_.push_back(random_.pick(kIgnored));
    }

    void addRejectedLine()
    {
        static constexpr const char* kRejected[]
            = { "#00111:0", "#00111:01 02", "# comment", "#PLAY-LEVEL 3", "#0011:01", "#00102:1.2.3", "#00111:" };
        lines_.push_back(random_.pick(kRejected));
    }

    std::string joinedLines()
    {
        const std::string_view lineEnds[] = { "\r\n", "\n" };
        const bool mixed = random_.percent(20);
        const std::string_view chartLineEnd = random_.pick(lineEnds);
        std::string chart;
        for (const std::string& line : lines_) {
            chart += line;
            chart += mixed ? random_.pick(lineEnds) : chartLineEnd;
        }
        // An ignored last line may lack its line end.
        if (random_.percent(10))
            chart += "; the end";
        return chart;
    }

    Random random_;
    int lastDataMeasure_ = 0;
    std::vector<std::string> lines_;
};

} // namespace

std::string randomChartText(std::uint64_t seed)
{
    return ChartGenerator(seed).chart();
}
