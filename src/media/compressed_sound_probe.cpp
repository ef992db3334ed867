#include "media/compressed_sound_probe.h"

#include <cstring>

namespace {

bool startsWith(std::span<const unsigned char> bytes, const char* magic)
{
    const size_t length = std::strlen(magic);
    return bytes.size() >= length && std::memcmp(bytes.data(), magic, length) == 0;
}

// An MPEG audio frame header: eleven set sync bits, then a layer that is not 0.
bool isMpegFrame(std::span<const unsigned char> bytes, size_t at)
{
    return bytes.size() >= at + 4 && bytes[at] == 0xFF && (bytes[at + 1] & 0xE0) == 0xE0 && (bytes[at + 1] & 0x06) != 0;
}

// The ID3v2 tag in front of the first frame: ten header bytes and a 28-bit size.
size_t id3Length(std::span<const unsigned char> bytes)
{
    if (!startsWith(bytes, "ID3") || bytes.size() < 10)
        return 0;
    return 10
        + ((size_t(bytes[6] & 0x7F) << 21) | (size_t(bytes[7] & 0x7F) << 14) | (size_t(bytes[8] & 0x7F) << 7)
            | size_t(bytes[9] & 0x7F));
}

void readFlacStreamInfo(std::span<const unsigned char> bytes, MediaInfo& info)
{
    // "fLaC", a 4-byte metadata block header, then STREAMINFO: sample rate (20 bits),
    // channels - 1 (3 bits), bits - 1 (5 bits) and the total of frames (36 bits).
    if (bytes.size() < 8 + 18 || (bytes[4] & 0x7F) != 0)
        return;
    const unsigned char* streamInfo = bytes.data() + 8;
    const int sampleRate = (streamInfo[10] << 12) | (streamInfo[11] << 4) | (streamInfo[12] >> 4);
    const uint64_t frames = (uint64_t(streamInfo[13] & 0x0F) << 32) | (uint64_t(streamInfo[14]) << 24)
        | (uint64_t(streamInfo[15]) << 16) | (uint64_t(streamInfo[16]) << 8) | streamInfo[17];
    info.channels = ((streamInfo[12] >> 1) & 0x07) + 1;
    if (sampleRate > 0) {
        info.sampleRate = sampleRate;
        if (frames > 0)
            info.seconds = static_cast<double>(frames) / sampleRate;
    }
}

void readMpegFrame(std::span<const unsigned char> bytes, size_t at, MediaInfo& info)
{
    static const int kRates[3] = { 44100, 48000, 32000 };
    const int version = (bytes[at + 1] >> 3) & 0x03; // 3: MPEG-1, 2: MPEG-2, 0: MPEG-2.5
    const int rateIndex = (bytes[at + 2] >> 2) & 0x03;
    if (version != 1 && rateIndex != 3)
        info.sampleRate = kRates[rateIndex] / (version == 3 ? 1 : version == 2 ? 2 : 4);
    info.channels = ((bytes[at + 3] >> 6) & 0x03) == 3 ? 1 : 2;
}

} // namespace

MediaFormat compressedSoundFormatOf(std::span<const unsigned char> bytes)
{
    if (startsWith(bytes, "fLaC"))
        return MediaFormat::Flac;
    if (startsWith(bytes, "ID3") || isMpegFrame(bytes, 0))
        return MediaFormat::Mp3;
    return MediaFormat::Unknown;
}

MediaInfo probeCompressedSound(std::span<const unsigned char> bytes, uint64_t wholeSize)
{
    MediaInfo info;
    info.bytes = wholeSize;
    info.format = compressedSoundFormatOf(bytes);
    if (info.format == MediaFormat::Flac) {
        readFlacStreamInfo(bytes, info);
    } else if (info.format == MediaFormat::Mp3) {
        const size_t frame = id3Length(bytes);
        if (isMpegFrame(bytes, frame))
            readMpegFrame(bytes, frame, info);
    }
    return info;
}
