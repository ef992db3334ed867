#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/cli_runner.h"

TEST(ListCommand, JsonHasEveryNamedOrReferencedRowInIndexOrder)
{
    const CliRun run = runTool({ "list", "wav", cliData("basic.bms"), "--json" });
    EXPECT_EQ(run.status, 0);
    // Row 07 is used by channel 11 but has no file name.
    EXPECT_EQ(run.out,
        "[{\"index\":\"01\",\"name\":\"kick.wav\",\"references\":1},"
        "{\"index\":\"02\",\"name\":\"snare.wav\",\"references\":1},"
        "{\"index\":\"03\",\"name\":\"hat.wav\",\"references\":2},"
        "{\"index\":\"05\",\"name\":\"unused.wav\",\"references\":0},"
        "{\"index\":\"07\",\"name\":null,\"references\":1}]\n");
}

TEST(ListCommand, CountsOnlyTheChannelsOfTheKind)
{
    const CliRun run = runTool({ "list", "bmp", cliData("basic.bms"), "--json" });
    EXPECT_EQ(run.out,
        "[{\"index\":\"01\",\"name\":\"back.bmp\",\"references\":1},"
        "{\"index\":\"03\",\"name\":\"pic.bmp\",\"references\":1}]\n");
}

TEST(ListCommand, CountsEveryObjectOfTheTextAndTheHeaderReferences)
{
    // #LNOBJ names ZZ and ZY; the image parts use 01 and 03, and the BMP channels the
    // parts 05 and 07 themselves.
    EXPECT_THAT(runTool({ "list", "wav", testDataPath("play/long_notes.bms") }).out,
        testing::AllOf(testing::HasSubstr("ZY              2  hold-end.wav\n"),
            testing::HasSubstr("ZZ              4  end.wav\n")));
    EXPECT_EQ(runTool({ "list", "bmp", testDataPath("play/image_parts.bms"), "--json" }).out,
        "[{\"index\":\"01\",\"name\":\"base.bmp\",\"references\":2},"
        "{\"index\":\"03\",\"name\":\"sheet.bmp\",\"references\":1},"
        "{\"index\":\"05\",\"name\":null,\"references\":1},"
        "{\"index\":\"07\",\"name\":null,\"references\":1},"
        "{\"index\":\"09\",\"name\":\"spare.bmp\",\"references\":0}]\n");
    // The 192-object line of the 144-tick measure, which the model cannot place.
    EXPECT_THAT(runTool({ "list", "wav", testDataPath("play/short_measure.bms") }).out,
        testing::HasSubstr("02              2  only-in-the-short-measure.wav\n"));
}

TEST(ListCommand, JsonNamesAreUtf8)
{
    ScratchDirectory scratch;
    const std::string chart = scratch.file("names.bms");
    writeFileBytes(chart, "#WAV01 ピアノ.wav\n#00011:0101\n"); // a code page 932 chart
    const CliRun run = runTool({ "list", "wav", chart, "--json" });
    EXPECT_EQ(run.out, "[{\"index\":\"01\",\"name\":\"\xe3\x83\x94\xe3\x82\xa2\xe3\x83\x8e.wav\",\"references\":2}]\n");
}

TEST(ListCommand, TableShowsTheSameFacts)
{
    const CliRun run = runTool({ "list", "wav", cliData("basic.bms") });
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
        "INDEX  REFERENCES  NAME\n"
        "01              1  kick.wav\n"
        "02              1  snare.wav\n"
        "03              2  hat.wav\n"
        "05              0  unused.wav\n"
        "07              1\n");
}

TEST(ListCommand, AReadFailureExitsWithOne)
{
    const CliRun run = runTool({ "list", "wav", cliData("broken.bms") });
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_THAT(run.err, testing::HasSubstr(":3: error 7: "));
}
