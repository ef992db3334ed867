#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli/cli_runner.h"

using testing::HasSubstr;

namespace {

// A chart beside sounds and pictures of every kind the report tells apart.
class ChartBesideMedia : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : { "tone.wav", "tone.ogg", "adpcm.wav", "picture.png" })
            copy(name, name);
        copy("picture.bmp", "Back.BMP");
        const std::string ogg = readFileBytes(testDataPath("media/tone.ogg"));
        writeFileBytes(scratch.file("cut.ogg"), ogg.substr(0, 60));
        writeFileBytes(scratch.file("empty.wav"), "");
        chart = scratch.file("song.bms");
        writeFileBytes(chart,
            "#WAV01 tone.wav\n#WAV02 tone.wav.wav\n#WAV03 song.wav\n#WAV04 adpcm.wav\n#WAV05 cut.wav\n"
            "#WAV06 empty.wav\n#WAV07 gone.wav\n#BMP01 picture.bmp\n#BMP02 back.bmp\n");
    }

    void copy(const std::string& from, const std::string& to)
    {
        writeFileBytes(scratch.file(to), readFileBytes(testDataPath("media/" + from)));
    }

    ScratchDirectory scratch;
    std::string chart;
};

} // namespace

TEST_F(ChartBesideMedia, ListsTheFileFoundForEveryDefinitionWithItsFlags)
{
    writeFileBytes(scratch.file("song.ogg"), readFileBytes(testDataPath("media/tone.ogg")));
    const std::string oggBytes = std::to_string(readFileBytes(testDataPath("media/tone.ogg")).size());
    const CliRun run = runTool({ "files", chart, "--max-seconds", "0.2" });
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
        chart + ": WAV01 tone.wav: tone.wav (wav-pcm, 1 ch, 22050 Hz, 0.25 s, 11068 bytes) [too-long]\n" + chart
            + ": WAV02 tone.wav.wav: missing [missing]\n" + chart
            + ": WAV03 song.wav: song.ogg (ogg-vorbis, 1 ch, 22050 Hz, 0.25 s, " + oggBytes + " bytes) [too-long]\n"
            + chart + ": WAV04 adpcm.wav: adpcm.wav (wav-adpcm, 2 ch, 22050 Hz, 0.10 s, 2620 bytes) [non-pcm]\n" + chart
            + ": WAV05 cut.wav: cut.ogg (ogg-vorbis, 60 bytes) [undecodable]: not an Ogg Vorbis stream that decodes\n"
            + chart + ": WAV06 empty.wav: empty.wav (unknown, 0 bytes) [undecodable]: the file is empty\n" + chart
            + ": WAV07 gone.wav: missing [missing]\n" + chart
            + ": BMP01 picture.bmp: picture.png (png, 24 x 10, 337 bytes)\n" + chart
            + ": BMP02 back.bmp: Back.BMP (bmp, 5 x 3, 102 bytes) [case-mismatch]\n");
    EXPECT_EQ(run.err, "1 chart: 1 read, 0 failed, 1 with missing files, 1 with unused definitions\n");
}

TEST_F(ChartBesideMedia, TheJsonEntriesHoldEveryFieldWithNullForWhatDoesNotApply)
{
    const CliRun run = runTool({ "files", "--json", chart });
    EXPECT_EQ(run.status, 1);
    const nlohmann::json document = nlohmann::json::parse(run.out);
    const nlohmann::json& files = document["charts"][0]["files"];
    ASSERT_EQ(files.size(), 9u);
    nlohmann::json tone = files[0];
    EXPECT_NEAR(tone["seconds"].get<double>(), 0.25, 0.001);
    tone.erase("seconds");
    EXPECT_EQ(tone,
        nlohmann::json::parse(R"({"kind":"wav","index":"01","name":"tone.wav","file":"tone.wav","format":"wav-pcm",
            "channels":1,"sample_rate":22050,"width":null,"height":null,"bytes":11068,"flags":[]})"));
    EXPECT_EQ(files[6], nlohmann::json::parse(R"({"kind":"wav","index":"07","name":"gone.wav","file":null,"format":null,
            "channels":null,"sample_rate":null,"seconds":null,"width":null,"height":null,"bytes":null,
            "flags":["missing"]})"));
    EXPECT_EQ(files[8]["kind"], "bmp");
    EXPECT_EQ(files[8]["width"], 5);
    EXPECT_EQ(files[8]["seconds"], nullptr);
    EXPECT_EQ(files[8]["flags"], nlohmann::json::parse(R"(["case-mismatch"])"));
    EXPECT_EQ(files[3]["flags"], nlohmann::json::parse(R"(["non-pcm"])"));
    EXPECT_EQ(document["summary"]["with_missing_files"], 1);
}

TEST_F(ChartBesideMedia, ExitsWithZeroWhenNoFileIsFlagged)
{
    writeFileBytes(chart, "#WAV01 tone.wav\n#WAV02 tone.ogg\n#BMP01 picture.png\n");
    const CliRun run = runTool({ "files", "--quiet", chart });
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
}

TEST_F(ChartBesideMedia, FlagsANameThatIsNotPlainAscii)
{
    // "あ.wav" in code page 932; the name is flagged whether or not its file is there.
    writeFileBytes(chart, "#WAV01 \x82\xA0.wav\n");
    const CliRun run = runTool({ "files", "--json", chart });
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.out, HasSubstr(R"("flags":["missing","non-ascii-name"])"));
}
