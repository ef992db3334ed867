#include "media/wav_format.h"

#include <algorithm>
#include <cstring>

namespace {

uint32_t littleEndian(std::span<const unsigned char> bytes, size_t at, int size)
{
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | bytes[at + static_cast<size_t>(i)];
    return value;
}

bool tagAt(std::span<const unsigned char> bytes, size_t at, const char* tag)
{
    return bytes.size() >= at + 4 && std::memcmp(bytes.data() + at, tag, 4) == 0;
}

constexpr uint16_t kWavFormatExtensible = 0xFFFE;

void readFormatChunk(std::span<const unsigned char> chunk, WavLayout& layout)
{
    if (chunk.size() < 16) {
        layout.problem = "the format header is cut short";
        return;
    }
    layout.formatTag = static_cast<uint16_t>(littleEndian(chunk, 0, 2));
    layout.channels = static_cast<int>(littleEndian(chunk, 2, 2));
    layout.sampleRate = static_cast<int>(littleEndian(chunk, 4, 4));
    layout.bytesPerSecond = littleEndian(chunk, 8, 4);
    layout.blockAlign = static_cast<int>(littleEndian(chunk, 12, 2));
    layout.bitsPerSample = static_cast<int>(littleEndian(chunk, 14, 2));
    // The sub-format GUID starts with the tag of the samples.
    if (layout.formatTag == kWavFormatExtensible && chunk.size() >= 26)
        layout.formatTag = static_cast<uint16_t>(littleEndian(chunk, 24, 2));
    if (layout.channels == 0 || layout.sampleRate <= 0)
        layout.problem = "the format header gives no channels or no sample rate";
}

} // namespace

bool isAdpcmTag(uint16_t tag)
{
    // MS, IMA/DVI, Yamaha, G.726, OKI, Creative and Sony ADPCM.
    constexpr uint16_t kAdpcmTags[] = { 0x0002, 0x0011, 0x0020, 0x0064, 0x0010, 0x0200, 0x0140 };
    return std::find(std::begin(kAdpcmTags), std::end(kAdpcmTags), tag) != std::end(kAdpcmTags);
}

bool looksLikeWav(std::span<const unsigned char> bytes)
{
    return tagAt(bytes, 0, "RIFF") && tagAt(bytes, 8, "WAVE");
}

WavLayout readWavLayout(std::span<const unsigned char> bytes)
{
    WavLayout layout;
    if (!looksLikeWav(bytes)) {
        layout.problem = "no RIFF WAVE header";
        return layout;
    }
    bool haveFormat = false;
    size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const uint32_t size = littleEndian(bytes, at + 4, 4);
        const size_t body = at + 8;
        const size_t available = std::min<size_t>(size, bytes.size() - body);
        if (tagAt(bytes, at, "fmt ")) {
            readFormatChunk(bytes.subspan(body, available), layout);
            haveFormat = true;
            if (!layout.problem.empty())
                return layout;
        } else if (tagAt(bytes, at, "fact") && available >= 4) {
            layout.factFrames = littleEndian(bytes, body, 4);
        } else if (tagAt(bytes, at, "data")) {
            if (!haveFormat)
                break;
            layout.dataOffset = body;
            layout.dataBytes = available;
            layout.claimedDataBytes = size;
            return layout;
        }
        // Chunks are padded to an even size.
        const uint64_t next = uint64_t(body) + size + (size & 1);
        if (next > bytes.size())
            break;
        at = static_cast<size_t>(next);
    }
    layout.problem = haveFormat ? "no samples (\"data\" chunk)" : "no format header (\"fmt \" chunk)";
    return layout;
}
