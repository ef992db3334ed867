#include <windows.h>

#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <iostream>
#include <string>
#include <vector>

#include "gui/audition_player.h"
#include "gui/list_set.h"
#include "gui/shell_state.h"
#include "media/wav_decoder.h"
#include "support/test_support.h"
#include "test_windows.h"

using testing::ElementsAre;
using testing::IsEmpty;

namespace {

// What the page would have played: the tests run without a sound device.
struct Played {
    std::string path;
    PlayableSound sound;
};

class StatusHost : public PageHost {
public:
    void openDroppedChart(const char*) override { }
    void runEdit(ListSet&, const std::function<void()>& operation) override { operation(); }
    void showStatus(const std::string& text) override { statuses.push_back(text); }
    bool offerBase62() override { return false; }

    std::vector<std::string> statuses;
};

class AuditionTest : public testing::Test {
protected:
    void SetUp() override
    {
        ShellState::instance().reset();
        ASSERT_TRUE(wav.create(&parent, 1051, testInstance()));
        wav.setHost(&host);
        wav.auditionPlayer()->setOutput([this](const PlayableSound& sound, const std::string& path) {
            played.push_back({ path, sound });
            std::cout << "[ playback skipped: no sound device under test ] " << path << '\n';
            return std::string();
        });
        for (const char* name : { "tone.ogg", "tone.wav", "adpcm.wav" })
            writeFileBytes(scratch.file(name), readFileBytes(testDataPath(std::string("media/") + name)));
        writeFileBytes(scratch.file("empty.wav"), "");
        directory = scratch.path().string() + "\\";
        std::snprintf(ShellState::instance().chartDirectory, ShellState::kNameSize, "%s", directory.c_str());
    }
    void TearDown() override { ShellState::instance().reset(); }

    void enterOn(int row, const char* name)
    {
        document.wavTable()->set(BmsWord(row), name);
        SendMessageA(wav.handle(), LB_SETCARETINDEX, row, FALSE);
        pressKey(wav.handle(), VK_RETURN);
    }

    // Runs the window's messages until done, or until the bound has passed (the
    // default is far more than any decode of these small files takes).
    void waitFor(const std::function<bool()>& done, ULONGLONG boundMilliseconds = 10000)
    {
        const ULONGLONG giveUp = GetTickCount64() + boundMilliseconds;
        MSG message;
        while (!done() && GetTickCount64() < giveUp) {
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
            Sleep(5);
        }
    }

    BmsBms document;
    ListExchanger plan;
    TestParent parent;
    ListSet wav { document, kKindWav, plan };
    StatusHost host;
    ScratchDirectory scratch;
    std::string directory;
    std::vector<Played> played;
};

} // namespace

TEST_F(AuditionTest, AnOggUnderTheWavNameIsDecodedOnAWorkerAndPlayedFromMemory)
{
    enterOn(1, "tone.WAV");
    // The list answers at once; the sound comes later.
    EXPECT_THAT(played, IsEmpty());
    waitFor([this] { return !played.empty(); });
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0].path, directory + "tone.wav");
    enterOn(2, "tone.ogg");
    waitFor([this] { return played.size() == 2; });
    ASSERT_EQ(played.size(), 2u);
    const PlayableSound& ogg = played[1].sound;
    EXPECT_EQ(ogg.way, PlayableSound::Way::WavImage);
    const DecodedSound decoded = decodeWav(ogg.wavFile);
    EXPECT_EQ(decoded.sampleRate, 22050);
    EXPECT_EQ(decoded.samples.size(), decodeWav(played[0].sound.wavFile).samples.size());
    EXPECT_THAT(host.statuses, IsEmpty());
}

TEST_F(AuditionTest, AnAdpcmWaveGoesToTheSystemAsItIs)
{
    enterOn(1, "adpcm.wav");
    waitFor([this] { return !played.empty(); });
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0].sound.way, PlayableSound::Way::WavImage);
    EXPECT_EQ(played[0].sound.wavFile.size(), readFileBytes(scratch.file("adpcm.wav")).size());
}

TEST_F(AuditionTest, AFileThatDoesNotDecodeIsNamedWithTheReason)
{
    enterOn(1, "empty.wav");
    waitFor([this] { return !host.statuses.empty(); });
    EXPECT_THAT(host.statuses, ElementsAre("empty.wav を再生できません: the file is empty"));
    EXPECT_THAT(played, IsEmpty());
}

TEST_F(AuditionTest, ANewEnterReplacesTheSoundBeingPreparedAndEscDropsIt)
{
    enterOn(1, "tone.ogg");
    enterOn(2, "tone.wav");
    waitFor([this] { return !played.empty(); });
    // Both workers have finished once the later one has been taken: their order on the
    // queue does not matter, only the later request plays.
    waitFor([] { return false; }, 200);
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0].path, directory + "tone.wav");

    enterOn(3, "adpcm.wav");
    pressKey(wav.handle(), VK_ESCAPE);
    waitFor([] { return false; }, 300);
    EXPECT_EQ(played.size(), 1u);
}
