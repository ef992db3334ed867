#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/cli_runner.h"

using testing::HasSubstr;
using testing::Not;

TEST(SwapCommand, KeepsTheChartsOwnTextAndChangesOnlyTheIndices)
{
    const CliRun run = runTool({ "swap", "wav", cliData("basic.bms"), "01", "03" });
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
        "#TITLE Test\r\n#BPM 120\r\n\r\n#WAV03 kick.wav\r\n#WAV02 snare.wav\r\n#WAV01 hat.wav\r\n#WAV05 unused.wav\r\n"
        "#BMP01 back.bmp\r\n#BMP03 pic.bmp\r\n\r\n#00001:0302\r\n#00011:0100\r\n#00004:0301\r\n#00111:0701\r\n");
}

TEST(SwapCommand, ExchangesNamesAndReferencesInTheChannelsOfTheKindOnly)
{
    const CliRun run = runTool({ "swap", "wav", cliData("basic.bms"), "01", "03", "--normalize" });
    EXPECT_EQ(run.status, 0);
    // Channel 04 keeps its object 03: it refers to BMP03.
    EXPECT_EQ(run.out, readFileBytes(cliData("basic_swap_wav_01_03.bms")));
}

TEST(SwapCommand, WorksOnTheBmpListWhenAskedTo)
{
    const CliRun run = runTool({ "swap", "bmp", cliData("basic.bms"), "01", "03", "--normalize" });
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.out, HasSubstr("#BMP01 pic.bmp\r\n#BMP03 back.bmp\r\n"));
    EXPECT_THAT(run.out, HasSubstr("#00001:0102\r\n#00004:0103\r\n#00011:03\r\n"));
}

TEST(SwapCommand, ExitsWithTwoAndWritesNothingWithoutTwoRowsFrom01)
{
    for (const auto& [a, b] : { std::pair { "00", "03" }, std::pair { "03", "03" } }) {
        const CliRun run = runTool({ "swap", "wav", cliData("basic.bms"), a, b });
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_THAT(run.err, HasSubstr("nothing swapped"));
    }
}

TEST(MoveCommand, MovesABlockAndTheRowItPasses)
{
    const CliRun run = runTool({ "move", "wav", cliData("basic.bms"), "down", "01", "02", "--normalize" });
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, readFileBytes(cliData("basic_move_wav_down_01_02.bms")));
}

TEST(MoveCommand, ASelectionThatCannotMoveWritesTheChartUnchangedAndSaysSo)
{
    const CliRun run = runTool({ "move", "wav", cliData("basic.bms"), "up", "01" });
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, readFileBytes(cliData("basic.bms")));
    EXPECT_THAT(run.err, HasSubstr("nothing moved"));
}

TEST(RemoveCommand, RemovesTheDefinitionsAndKeepsTheirObjects)
{
    const CliRun run = runTool({ "remove", "wav", cliData("basic.bms"), "02", "05" });
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.out, HasSubstr("#WAV01 kick.wav\r\n#WAV03 hat.wav\r\n#BMP01"));
    EXPECT_THAT(run.out, HasSubstr("#00001:0102\r\n"));
}

TEST(UnregisterUnusedCommand, RemovesOnlyDefinitionsNoChannelOfTheKindUses)
{
    const CliRun run = runTool({ "unregister-unused", "wav", cliData("basic.bms") });
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.out, HasSubstr("#WAV03 hat.wav\r\n#BMP01 back.bmp\r\n#BMP03 pic.bmp\r\n"));
    EXPECT_THAT(run.out, Not(HasSubstr("unused.wav")));
}

TEST(UnregisterUnusedCommand, KeepsADefinitionThatOnlyObjectsOffTheTickGridUse)
{
    const CliRun run = runTool({ "unregister-unused", "wav", testDataPath("play/short_measure.bms") });
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.out, HasSubstr("#WAV02 only-in-the-short-measure.wav\r\n"));
}

TEST(CompactCommand, CarriesTheLongNoteEnd)
{
    // 03 -> 02, 05 -> 03, 0A -> 04, ZY -> 05, ZZ -> 06; the table keeps the last #LNOBJ.
    const CliRun kept = runTool({ "compact", "wav", testDataPath("play/long_notes.bms") });
    EXPECT_THAT(kept.out, HasSubstr("#LNOBJ 06\r\n#lnobj 05\r\n"));
    const CliRun run = runTool({ "compact", "wav", testDataPath("play/long_notes.bms"), "--normalize" });
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.out, HasSubstr("#LNOBJ 05\r\n"));
    EXPECT_THAT(run.out, HasSubstr("#WAV05 hold-end.wav\r\n#WAV06 end.wav\r\n"));
    EXPECT_THAT(run.out, HasSubstr("#00111:0106\r\n#00112:0206\r\n#00113:04000005\r\n"));
}

TEST(CompactCommand, ClosesTheGapsAndKeepsUsedRowsWithoutAName)
{
    // 05 moves to 04; 07, used by channel 11 but not registered, moves to 05.
    const CliRun run = runTool({ "compact", "wav", cliData("basic.bms"), "--normalize" });
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, readFileBytes(cliData("basic_compact_wav.bms")));
}

TEST(CompactCommand, InPlaceTakesSeveralFiles)
{
    ScratchDirectory scratch;
    const std::string first = copyChart(scratch, "basic.bms");
    const std::string second = scratch.file("second.bms");
    writeFileBytes(second, readFileBytes(first));
    const CliRun run = runTool({ "compact", "wav", "--in-place", "--normalize", first, second });
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(readFileBytes(first), readFileBytes(cliData("basic_compact_wav.bms")));
    EXPECT_EQ(readFileBytes(second), readFileBytes(cliData("basic_compact_wav.bms")));
}
