#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>
#endif

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

    std::string writeChart(const std::string& text, const std::string& name = "song.bms")
    {
        const std::string chart = scratch.file(name);
        writeFileBytes(chart, text);
        return chart;
    }

    // The folder as the report names it.
    std::string folder() const { return scratch.path().string(); }

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

TEST_F(ChartBesideFiles, ANameOfAFolderOrOfADotPartFindsNoFile)
{
    const std::string chart = writeChart("#WAV01 Sub\n#WAV02 .\n#WAV03 ..\n#WAV04 sub/\n");
    const CliRun run = runTool({ "missing", chart });
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
        chart + ": WAV01 Sub: missing\n" + chart + ": WAV02 .: missing\n" + chart + ": WAV03 ..: missing\n" + chart
            + ": WAV04 sub/: missing\n");
}

TEST_F(ChartBesideFiles, ExitsWithZeroWhenNothingIsMissing)
{
    const std::string chart = writeChart("#WAV01 kick.wav\n#WAV03 HAT.wav\n");
    const CliRun run = runTool({ "missing", chart, "--unreferenced" });
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
        chart + ": WAV03 HAT.wav: found as hat.ogg\n" + chart + ": ok\n" + folder() + ": unreferenced: back.png\n"
            + folder() + ": unreferenced: extra.wav\n");
}

TEST_F(ChartBesideFiles, UnreferencedListsOnlySoundAndImageFilesThatNoDefinitionFinds)
{
    const CliRun run = runTool({ "missing", writeChart(kDefinitions), "--unreferenced" });
    EXPECT_THAT(run.out, HasSubstr(folder() + ": unreferenced: extra.wav\n"));
    for (const char* found : { "unreferenced: kick.wav", "unreferenced: hat.ogg", "unreferenced: back.png", "notes" }) {
        EXPECT_THAT(run.out, Not(HasSubstr(found)));
    }
}

// A song folder's charts (one per difficulty) share its files: a file is unreferenced
// only when no chart there names it, and the folder is reported once, after its charts.
TEST_F(ChartBesideFiles, UnreferencedFilesAreThoseThatNoChartOfTheFolderNames)
{
    const std::string seven = writeChart("#WAV01 kick.wav\n#BMP01 back.bmp\n", "song_7k.bms");
    const std::string fourteen = writeChart("#WAV01 hat.wav\n#WAV02 sub/snare.wav\n", "song_14k.bme");
    std::filesystem::create_directory(scratch.path() / "other");
    writeFileBytes(scratch.file("other/lone.ogg"), "");
    const std::string other = writeChart("#WAV01 kick.wav\n", "other/song.bms");
    for (const std::string jobs : { "1", "3" }) {
        const CliRun run = runTool({ "missing", "--unreferenced", "-j", jobs, seven, other, fourteen });
        EXPECT_EQ(run.status, 1) << run.err;
        EXPECT_EQ(run.out,
            seven + ": BMP01 back.bmp: found as back.png\n" + seven + ": ok\n" + other + ": WAV01 kick.wav: missing\n"
                + scratch.file("other") + ": unreferenced: lone.ogg\n" + fourteen
                + ": WAV01 hat.wav: found as hat.ogg\n" + fourteen + ": ok\n" + folder()
                + ": unreferenced: extra.wav\n");
    }
    // The walk takes other/song.bms before the charts beside it.
    const CliRun json = runTool({ "missing", "--json", "--unreferenced", scratch.path().string() });
    EXPECT_THAT(json.out,
        HasSubstr("\"folders\":[{\"folder\":\"" + jsonText(scratch.file("other"))
            + "\",\"unreferenced\":[\"lone.ogg\"]},{\"folder\":\"" + jsonText(folder())
            + "\",\"unreferenced\":[\"extra.wav\"]}],"));
}

// What a chart that did not read names is not known: its folder's files are not listed.
TEST_F(ChartBesideFiles, NoUnreferencedFilesBesideAChartThatDidNotRead)
{
    const std::string chart = writeChart("#WAV01 kick.wav\n");
    writeChart("#WAV01 hat.ogg\n#00111:0\n", "broken.bms");
    const CliRun run = runTool({ "missing", "--unreferenced", chart, scratch.file("broken.bms") });
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, chart + ": ok\n");
    EXPECT_THAT(
        run.err, HasSubstr(folder() + ": error: unreferenced files not listed: a chart in the folder did not read\n"));
    const CliRun json = runTool({ "missing", "--json", "--unreferenced", chart, scratch.file("broken.bms") });
    EXPECT_THAT(json.out, HasSubstr("\"folders\":[{\"folder\":\"" + jsonText(folder()) + "\",\"unreferenced\":null}]"));
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
              "\"unused_definitions\":5},"
              "{\"file\":\""
            + jsonText(absent)
            + "\",\"code\":4,\"line\":0,\"message\":\"\xe3\x83\x95\xe3\x82\xa1\xe3\x82\xa4\xe3\x83\xab"
              "\xe3\x81\x8c\xe9\x96\x8b\xe3\x81\x91\xe3\x81\xbe\xe3\x81\x9b\xe3\x82\x93\xe3\x81\xa7\xe3\x81\x97"
              "\xe3\x81\x9f\xe3\x80\x82\"}],\"folders\":[{\"folder\":\""
            + jsonText(folder())
            + "\",\"unreferenced\":[\"extra.wav\"]}],"
              "\"summary\":{\"charts\":2,\"read\":1,\"failed\":1,\"with_missing_files\":1,"
              "\"with_unused_definitions\":1}}\n");
    EXPECT_THAT(run.err, HasSubstr(absent + ":0: error 4: "));
}

#ifndef _WIN32
TEST_F(ChartBesideFiles, AFolderThatCannotBeReadIsReportedForTheChartThatNeedsIt)
{
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads every folder";
    }
    std::filesystem::create_directory(scratch.path() / "locked");
    writeFileBytes(scratch.file("locked/a.wav"), "");
    const std::string chart = writeChart("#WAV01 kick.wav\n#WAV02 locked/a.wav\n");
    std::filesystem::permissions(scratch.path() / "locked", std::filesystem::perms::none);
    const CliRun run = runTool({ "missing", "--unreferenced", chart, writeChart("#WAV01 hat.ogg\n", "other.bms") });
    std::filesystem::permissions(scratch.path() / "locked", std::filesystem::perms::owner_all);
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err,
        HasSubstr(chart + ": error: cannot read the folder " + scratch.file("locked") + ": Permission denied\n"));
    // The other chart goes on; the files of a folder that a chart could not see whole
    // are not listed.
    EXPECT_THAT(run.out, HasSubstr(scratch.file("other.bms") + ": ok\n"));
    EXPECT_THAT(run.out, Not(HasSubstr("unreferenced")));
}

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
