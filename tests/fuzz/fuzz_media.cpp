// Feeds arbitrary bytes to the sound and picture decoders, as the files of a chart's
// folder reach them: probed to the end, and decoded for playing or showing. Whatever
// a decode hands out must have the shape it claims; the sanitizers catch everything
// else.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "media/image_decoder.h"
#include "media/media_file.h"
#include "media/ogg_decoder.h"
#include "media/wav_decoder.h"

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void checkSound(const DecodedSound& sound)
{
    if (!sound.problem.empty()) {
        require(sound.samples.empty());
        return;
    }
    require(sound.channels > 0 && sound.samples.size() % static_cast<size_t>(sound.channels) == 0);
    require(sound.samples.size() <= kMaxDecodedSamples);
    // The in-memory WAVE file reads back to the same samples.
    require(decodeWav(pcmWavFile(sound)).samples == sound.samples);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const unsigned char> bytes(data, size);
    // The decodes below are what a full probe runs; the headers are probed on their own.
    const MediaInfo info = probeMediaBytes(bytes, size, ProbeDepth::Headers);
    require(info.bytes == size);
    checkSound(decodeWav(bytes));
    checkSound(decodeOgg(bytes));
    const DecodedImage image = decodeImage(bytes);
    if (image.problem.empty())
        require(image.bgrx.size() == size_t(image.width) * size_t(image.height) * 4);
    else
        require(image.bgrx.empty());
    return 0;
}
