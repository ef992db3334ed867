#include "media/wav_decoder.h"

#include <cmath>
#include <cstring>

#include "media/wav_format.h"

namespace {

bool isDecodable(const WavLayout& layout)
{
    if (layout.formatTag == kWavFormatPcm)
        return layout.bitsPerSample == 8 || layout.bitsPerSample == 16 || layout.bitsPerSample == 24
            || layout.bitsPerSample == 32;
    return layout.formatTag == kWavFormatFloat && layout.bitsPerSample == 32;
}

int bytesPerFrame(const WavLayout& layout)
{
    return layout.channels * (layout.bitsPerSample / 8);
}

int16_t sampleAt(const unsigned char* at, const WavLayout& layout)
{
    if (layout.formatTag == kWavFormatFloat) {
        float value;
        std::memcpy(&value, at, sizeof value);
        if (!std::isfinite(value))
            return 0;
        const float clamped = value < -1.0f ? -1.0f : value > 1.0f ? 1.0f : value;
        return static_cast<int16_t>(std::lround(clamped * 32767.0f));
    }
    switch (layout.bitsPerSample) {
    case 8:
        // Eight-bit samples are unsigned.
        return static_cast<int16_t>((at[0] - 128) * 256);
    default:
        // The two most significant bytes of a little-endian sample of 16 bits or more.
        const int bytes = layout.bitsPerSample / 8;
        return static_cast<int16_t>(at[bytes - 2] | (at[bytes - 1] << 8));
    }
}

} // namespace

MediaInfo probeWav(std::span<const unsigned char> bytes, uint64_t wholeSize)
{
    MediaInfo info;
    info.bytes = wholeSize;
    const WavLayout layout = readWavLayout(bytes);
    if (!layout.problem.empty()) {
        info.format = looksLikeWav(bytes) ? MediaFormat::WavPcm : MediaFormat::Unknown;
        info.problem = layout.problem;
        return info;
    }
    info.format = layout.formatTag == kWavFormatPcm ? MediaFormat::WavPcm : MediaFormat::WavOther;
    info.wavFormatTag = layout.formatTag;
    info.channels = layout.channels;
    info.sampleRate = layout.sampleRate;
    // The samples the file holds: those read, and those past what was read.
    const uint64_t fileDataBytes = layout.dataBytes + (wholeSize - bytes.size());
    const uint64_t dataBytes = std::min<uint64_t>(layout.claimedDataBytes, fileDataBytes);
    if (layout.claimedDataBytes > fileDataBytes)
        info.note = "the header claims " + std::to_string(layout.claimedDataBytes)
            + " bytes of samples, the file holds " + std::to_string(fileDataBytes);
    if (layout.factFrames > 0)
        info.seconds = static_cast<double>(layout.factFrames) / layout.sampleRate;
    else if (layout.bytesPerSecond > 0)
        info.seconds = static_cast<double>(dataBytes) / layout.bytesPerSecond;
    if (info.format == MediaFormat::WavPcm && !isDecodable(layout))
        info.problem = std::to_string(layout.bitsPerSample) + "-bit PCM samples";
    else if (info.format == MediaFormat::WavPcm && layout.blockAlign != bytesPerFrame(layout))
        info.problem = "the header's block size does not match its channels and bits";
    if (info.format == MediaFormat::WavPcm && info.problem.empty())
        info.seconds = static_cast<double>(dataBytes) / bytesPerFrame(layout) / layout.sampleRate;
    return info;
}

DecodedSound decodeWav(std::span<const unsigned char> bytes)
{
    DecodedSound sound;
    const WavLayout layout = readWavLayout(bytes);
    if (!layout.problem.empty()) {
        sound.problem = layout.problem;
        return sound;
    }
    if (!isDecodable(layout)) {
        sound.problem = "not PCM samples this program decodes";
        return sound;
    }
    const size_t frameBytes = static_cast<size_t>(bytesPerFrame(layout));
    const size_t frames = layout.dataBytes / frameBytes;
    if (frames * static_cast<size_t>(layout.channels) > kMaxDecodedSamples) {
        sound.problem = "too long to decode";
        return sound;
    }
    sound.channels = layout.channels;
    sound.sampleRate = layout.sampleRate;
    sound.samples.reserve(frames * static_cast<size_t>(layout.channels));
    const size_t sampleBytes = static_cast<size_t>(layout.bitsPerSample / 8);
    const unsigned char* at = bytes.data() + layout.dataOffset;
    for (size_t i = 0; i < frames * static_cast<size_t>(layout.channels); ++i, at += sampleBytes)
        sound.samples.push_back(sampleAt(at, layout));
    return sound;
}
