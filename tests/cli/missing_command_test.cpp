#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/cli_runner.h"

using testing::HasSubstr;
using testing::Not;

namespace {

// A chart beside its files, as charts come from Windows: names in any case, either
// slash, some files saved under another extension.
class ChartBesideFiles : public testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directory(scratch.path() / "Sub");
        for (const char* name : { "kick.wav", "Sub/snare.wav", "hat.ogg", "back.png", "extra.wav", "notes.txt" }) {
            writeFileBytes(scratch.file(name), "");
        }
    }

    std::string writeChart(const std::string& text)
    {
        const std::string chart = scratch.file("song.bms");
        writeFileBytes(chart, text);
        return chart;
    }

    ScratchDirectory scratch;
};

// A path as a JSON string holds it: Windows paths have backslashes.
std::string jsonText(const std::string& path)
{
    std::string escaped;
    for (char c : path) {
        escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    return escaped;
}

constexpr const char* kDefinitions
    = "#WAV01 Kick.WAV\n#WAV02 sub\\snare.wav\n#WAV03 hat.wav\n#WAV04 gone.wav\n#BMP01 back.bmp\n";

} // namespace

TEST_F(ChartBesideFiles, ReportsMissingFilesAndOnesFoundUnderAnotherExtension)
{
    const std::string chart = writeChart(kDefinitions);
    const CliRun run = runTool({ "missing", chart });
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
        chart + ": WAV03 hat.wav: found as hat.ogg\n" + chart + ": WAV04 gone.wav: missing\n" + chart
            + ": BMP01 back.bmp: found as back.png\n");
}

TEST_F(ChartBesideFiles, ExitsWithZeroWhenNothingIsMissing)
{
    const std::string chart = writeChart("#WAV01 kick.wav\n#WAV03 HAT.wav\n");
    const CliRun run = runTool({ "missing", chart, "--unreferenced" });
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
        chart + ": WAV03 HAT.wav: found as hat.ogg\n" + chart + ": unreferenced: back.png\n" + chart
            + ": unreferenced: extra.wav\n" + chart + ": ok\n");
}

TEST_F(ChartBesideFiles, UnreferencedListsOnlySoundAndImageFilesThatNoDefinitionFinds)
{
    const CliRun run = runTool({ "missing", writeChart(kDefinitions), "--unreferenced" });
    EXPECT_THAT(run.out, HasSubstr(": unreferenced: extra.wav\n"));
    for (const char* found : { "unreferenced: kick.wav", "unreferenced: hat.ogg", "unreferenced: back.png", "notes" }) {
        EXPECT_THAT(run.out, Not(HasSubstr(found)));
    }
}

TEST_F(ChartBesideFiles, JsonIsOneDocumentWithEveryChartAndTheSummary)
{
    const std::string chart = writeChart(kDefinitions);
    const CliRun run = runTool({ "missing", "--json", "--unreferenced", chart, scratch.file("absent.bms") });
    EXPECT_EQ(run.status, 1);
    const std::string absent = scratch.file("absent.bms");
    EXPECT_EQ(run.out,
        "{\"charts\":[{\"file\":\"" + jsonText(chart)
            + "\",\"code\":0,\"line\":6,\"message\":\"\xe6\xad\xa3\xe5\xb8\xb8\xe3\x81\xab\xe7\xb5\x82\xe4\xba\x86"
              "\xe3\x81\x97\xe3\x81\xbe\xe3\x81\x97\xe3\x81\x9f\xe3\x80\x82\","
              "\"missing\":[{\"kind\":\"wav\",\"index\":\"04\",\"name\":\"gone.wav\"}],"
              "\"other_extension\":[{\"kind\":\"wav\",\"index\":\"03\",\"name\":\"hat.wav\",\"found\":\"hat.ogg\"},"
              "{\"kind\":\"bmp\",\"index\":\"01\",\"name\":\"back.bmp\",\"found\":\"back.png\"}],"
              "\"unreferenced\":[\"extra.wav\"],\"unused_definitions\":5},"
              "{\"file\":\""
            + jsonText(absent)
            + "\",\"code\":4,\"line\":0,\"message\":\"\xe3\x83\x95\xe3\x82\xa1\xe3\x82\xa4\xe3\x83\xab"
              "\xe3\x81\x8c\xe9\x96\x8b\xe3\x81\x91\xe3\x81\xbe\xe3\x81\x9b\xe3\x82\x93\xe3\x81\xa7\xe3\x81\x97"
              "\xe3\x81\x9f\xe3\x80\x82\"}],"
              "\"summary\":{\"charts\":2,\"read\":1,\"failed\":1,\"with_missing_files\":1,"
              "\"with_unused_definitions\":1}}\n");
    EXPECT_THAT(run.err, HasSubstr(absent + ":0: error 4: "));
}

#ifndef _WIN32
TEST_F(ChartBesideFiles, FindsDoubleByteNamesAsUtf8OrAsRawBytes)
{
    writeFileBytes(scratch.file("\xe3\x83\x94\xe3\x82\xa2\xe3\x83\x8e.wav"), ""); // "ピアノ.wav" in UTF-8
    writeFileBytes(scratch.file("\x89\xb9.WAV"), ""); // "音.WAV" in raw code page 932
    const std::string chart = writeChart("#WAV01 ピアノ.wav\n#WAV02 音.wav\n");
    const CliRun run = runTool({ "missing", chart });
    EXPECT_EQ(run.status, 0) << run.out;
}

TEST_F(ChartBesideFiles, NeverFoldsTheSecondByteOfADoubleByteCharacter)
{
    // The second bytes of "ピアノ" are "s", "A" and "m"; with "A" lowered it is another name.
    writeFileBytes(scratch.file("\x83\x73\x83\x61\x83\x6d.wav"), "");
    const CliRun run = runTool({ "missing", writeChart("#WAV01 ピアノ.wav\n") });
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.out, HasSubstr(": missing\n"));
}
#endif
