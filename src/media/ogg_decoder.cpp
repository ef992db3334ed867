#include "media/ogg_decoder.h"

#include <climits>
#include <cstring>
#include <memory>
#include <vector>

#define STB_VORBIS_HEADER_ONLY
#define STB_VORBIS_NO_STDIO
#include <stb/stb_vorbis.h>

#include "media/vorbis_comment_check.h"

namespace {

struct VorbisCloser {
    void operator()(stb_vorbis* decoder) const { stb_vorbis_close(decoder); }
};
using VorbisDecoder = std::unique_ptr<stb_vorbis, VorbisCloser>;

// One read of samples, per channel.
constexpr int kChunkFrames = 4096;

// All the memory a decoder takes. stb_vorbis believes the sizes in a stream's headers
// (comment counts, codebook sizes); from a fixed arena, a header that lies makes the
// open fail instead of allocating gigabytes. Real streams need a few hundred kilobytes.
constexpr int kArenaBytes = 2 << 20;

struct Vorbis {
    // Left uninitialised: the decoder writes what it reads.
    std::unique_ptr<char[]> arena;
    VorbisDecoder decoder;
    int channels = 0;
    int sampleRate = 0;
};

Vorbis openVorbis(std::span<const unsigned char> bytes, std::string& problem)
{
    Vorbis vorbis;
    if (bytes.size() > static_cast<size_t>(INT_MAX)) {
        problem = "too large";
        return vorbis;
    }
    if (!vorbisCommentsFit(bytes)) {
        problem = "the comment header does not fit in its packet";
        return vorbis;
    }
    vorbis.arena.reset(new char[kArenaBytes]);
    const stb_vorbis_alloc arena { vorbis.arena.get(), kArenaBytes };
    int error = 0; // stb_vorbis's own code, which says nothing to a chart maker
    vorbis.decoder.reset(stb_vorbis_open_memory(bytes.data(), static_cast<int>(bytes.size()), &error, &arena));
    if (!vorbis.decoder) {
        problem = "not an Ogg Vorbis stream that decodes";
        return vorbis;
    }
    const stb_vorbis_info stream = stb_vorbis_get_info(vorbis.decoder.get());
    // The rate goes on as an int, into the WAVE file that plays the sound among others.
    if (stream.sample_rate == 0 || stream.sample_rate > static_cast<unsigned>(INT_MAX)) {
        problem = "its sample rate is out of range";
        vorbis.decoder.reset();
        return vorbis;
    }
    vorbis.channels = stream.channels;
    vorbis.sampleRate = static_cast<int>(stream.sample_rate);
    return vorbis;
}

// Calls take with every chunk of samples until the stream ends or take says stop; a
// stream that fails before its end leaves a problem.
template <typename Take> void readSamples(stb_vorbis* decoder, int channels, std::string& problem, Take take)
{
    std::vector<short> chunk(static_cast<size_t>(kChunkFrames) * static_cast<size_t>(channels));
    for (;;) {
        const int frames
            = stb_vorbis_get_samples_short_interleaved(decoder, channels, chunk.data(), static_cast<int>(chunk.size()));
        if (frames <= 0)
            break;
        if (!take(chunk.data(), static_cast<size_t>(frames) * static_cast<size_t>(channels)))
            return;
    }
    if (stb_vorbis_get_error(decoder) != VORBIS__no_error)
        problem = "the stream breaks off";
}

} // namespace

bool looksLikeOgg(std::span<const unsigned char> bytes)
{
    return bytes.size() >= 4 && std::memcmp(bytes.data(), "OggS", 4) == 0;
}

MediaInfo probeOgg(std::span<const unsigned char> bytes, bool fullCheck)
{
    MediaInfo info;
    info.format = MediaFormat::OggVorbis;
    info.bytes = bytes.size();
    const Vorbis vorbis = openVorbis(bytes, info.problem);
    if (!vorbis.decoder)
        return info;
    info.channels = vorbis.channels;
    info.sampleRate = vorbis.sampleRate;
    const unsigned frames = stb_vorbis_stream_length_in_samples(vorbis.decoder.get());
    if (vorbis.sampleRate > 0 && frames > 0)
        info.seconds = static_cast<double>(frames) / vorbis.sampleRate;
    if (fullCheck) {
        size_t decoded = 0;
        readSamples(vorbis.decoder.get(), vorbis.channels, info.problem, [&decoded](const short*, size_t count) {
            decoded += count;
            return true;
        });
        if (info.problem.empty() && vorbis.channels > 0)
            info.seconds = static_cast<double>(decoded / static_cast<size_t>(vorbis.channels)) / vorbis.sampleRate;
    }
    return info;
}

DecodedSound decodeOgg(std::span<const unsigned char> bytes)
{
    DecodedSound sound;
    const Vorbis vorbis = openVorbis(bytes, sound.problem);
    if (!vorbis.decoder)
        return sound;
    sound.channels = vorbis.channels;
    sound.sampleRate = vorbis.sampleRate;
    readSamples(vorbis.decoder.get(), sound.channels, sound.problem, [&sound](const short* samples, size_t count) {
        if (sound.samples.size() + count > kMaxDecodedSamples) {
            sound.problem = "too long to decode";
            return false;
        }
        sound.samples.insert(sound.samples.end(), samples, samples + count);
        return true;
    });
    if (!sound.problem.empty())
        sound.samples.clear();
    return sound;
}
