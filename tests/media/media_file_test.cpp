#include <filesystem>
#include <gtest/gtest.h>

#include "media/media_file.h"
#include "media/media_test_files.h"
#include "media/wav_decoder.h"
#include "support/test_support.h"

namespace {

void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes)
{
    writeFileBytes(path, std::string(bytes.begin(), bytes.end()));
}

} // namespace

TEST(MediaFile, AFileOfGigabytesIsMeasuredAndItsHeaderReadNotTheWholeFile)
{
    ScratchDirectory scratch;
    const std::string path = scratch.file("huge.wav");
    writeBytes(path, wavFile({ .sampleRate = 44100, .claimedDataBytes = 0x7FFFFF00 }, {}));
    // Sparse where the file system allows: nothing is written past the header.
    std::filesystem::resize_file(path, uint64_t(2) << 30);

    const MediaInfo info = probeMediaFile(path, ProbeDepth::Decode);
    EXPECT_EQ(info.bytes, uint64_t(2) << 30);
    EXPECT_EQ(formatName(info), "wav-pcm");
    EXPECT_EQ(info.problem, "2147483648 bytes: larger than the 256 MB that are read");
    ASSERT_TRUE(info.seconds);
    EXPECT_NEAR(*info.seconds, 0x7FFFFF00 / 88200.0, 0.01);

    const PlayableSound sound = prepareSound(path);
    EXPECT_EQ(sound.way, PlayableSound::Way::None);
    EXPECT_EQ(sound.info.problem, info.problem);

    EXPECT_EQ(readFileStart(path, 1000).data.size(), 1000u);
}

TEST(MediaFile, AMissingFileAndAMovieAreNamedNotDecoded)
{
    ScratchDirectory scratch;
    EXPECT_EQ(probeMediaFile(scratch.file("gone.ogg"), ProbeDepth::Decode).problem, "cannot be opened");
    writeFileBytes(scratch.file("intro.MPG"), "not looked at");
    const MediaInfo movie = probeMediaFile(scratch.file("intro.MPG"), ProbeDepth::Decode);
    EXPECT_EQ(formatName(movie), "movie");
    EXPECT_EQ(movie.bytes, 13u);
    EXPECT_TRUE(movie.decodes());
}

TEST(MediaFile, PreparesEachSoundTheWayItIsPlayed)
{
    ScratchDirectory scratch;
    for (const char* name : { "tone.wav", "tone.ogg", "adpcm.wav" })
        writeBytes(scratch.file(name), mediaFile(name));
    writeBytes(scratch.file("song.flac"), { 'f', 'L', 'a', 'C', 0, 0, 0, 0 });

    // PCM and Ogg Vorbis both come out as the same 16-bit WAVE file, near enough.
    const PlayableSound wav = prepareSound(scratch.file("tone.wav"));
    const PlayableSound ogg = prepareSound(scratch.file("tone.ogg"));
    ASSERT_EQ(wav.way, PlayableSound::Way::WavImage);
    ASSERT_EQ(ogg.way, PlayableSound::Way::WavImage);
    EXPECT_EQ(wav.wavFile, mediaFile("tone.wav"));
    EXPECT_EQ(ogg.wavFile.size(), wav.wavFile.size());
    EXPECT_EQ(decodeWav(ogg.wavFile).sampleRate, 22050);

    // ADPCM goes to the system as it is; FLAC to the system's decoders by its path.
    const PlayableSound adpcm = prepareSound(scratch.file("adpcm.wav"));
    EXPECT_EQ(adpcm.way, PlayableSound::Way::WavImage);
    EXPECT_EQ(adpcm.wavFile, mediaFile("adpcm.wav"));
    EXPECT_EQ(prepareSound(scratch.file("song.flac")).way, PlayableSound::Way::SystemDecoder);

    const PlayableSound gone = prepareSound(scratch.file("gone.wav"));
    EXPECT_EQ(gone.way, PlayableSound::Way::None);
    EXPECT_EQ(gone.info.problem, "cannot be opened");
}

// Inputs that once made the decoders' fuzzer fail must probe and decode without fault.
TEST(MediaFile, ProbesEveryKeptFuzzerFinding)
{
    for (const auto& entry : std::filesystem::directory_iterator(testDataPath("fuzz-regressions/media"))) {
        if (!entry.is_regular_file() || entry.path().filename() == ".gitkeep")
            continue;
        const MediaInfo info = probeMediaFile(entry.path().string(), ProbeDepth::Decode);
        EXPECT_EQ(info.bytes, std::filesystem::file_size(entry.path()));
        prepareSound(entry.path().string());
    }
}
