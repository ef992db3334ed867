#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/cli_runner.h"

using testing::HasSubstr;

TEST(CheckCommand, ReportsEveryFileOnItsOwnLineAndFailsWhenAnyFails)
{
    const CliRun run = runTool({ "check", cliData("basic.bms"), cliData("broken.bms"), cliData("random.bms") });
    EXPECT_EQ(run.status, 1);
    // The message of code 7 as UTF-8 on Linux, as the program's own bytes on Windows.
#ifdef _WIN32
    const std::string message = "オブジェ配列に不正な文字が使われました。";
#else
    const std::string message = "\xe3\x82\xaa\xe3\x83\x96\xe3\x82\xb8\xe3\x82\xa7\xe9\x85\x8d\xe5\x88\x97\xe3\x81\xab"
                                "\xe4\xb8\x8d\xe6\xad\xa3\xe3\x81\xaa\xe6\x96\x87\xe5\xad\x97\xe3\x81\x8c\xe4\xbd\xbf"
                                "\xe3\x82\x8f\xe3\x82\x8c\xe3\x81\xbe\xe3\x81\x97\xe3\x81\x9f\xe3\x80\x82";
#endif
    EXPECT_EQ(run.out,
        cliData("basic.bms") + ": ok\n" + cliData("broken.bms") + ":3: error 7: " + message + "\n"
            + cliData("random.bms") + ": ok\n");
}

TEST(CheckCommand, ReportsAFileThatCannotBeOpenedAtLineZero)
{
    // An earlier failure on line 3 must not lend its line to the next file.
    const CliRun run = runTool({ "check", cliData("broken.bms"), cliData("no-such-chart.bms") });
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.out, HasSubstr(cliData("no-such-chart.bms") + ":0: error 4: "));
}

TEST(CheckCommand, WarnsOnStandardErrorAboutWhatASaveCannotKeep)
{
    const CliRun run = runTool({ "check", cliData("random.bms") });
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, cliData("random.bms") + ": ok\n");
    EXPECT_THAT(run.err, HasSubstr(cliData("random.bms") + ":2: warning: the chart uses #RANDOM"));

    const std::string shortMeasure = testDataPath("play/short_measure.bms");
    EXPECT_EQ(runTool({ "check", shortMeasure }).err,
        shortMeasure
            + ":7: warning: #00111 has objects off the tick grid, which the normalised layout cannot keep\n"
              "1 chart: 1 read, 0 failed, 0 with unused definitions\n");
}

TEST(CheckCommand, ReadsADataLineWithAStrayLastCharacterAndWarnsAboutIt)
{
    const std::string chart = testDataPath("reader/stray_character.bms");
    const CliRun run = runTool({ "check", chart });
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, chart + ": ok\n");
    EXPECT_EQ(run.err,
        chart
            + ":3: warning: #00111 has a stray last character that players ignore, which the normalised layout "
              "cannot keep\n"
              "1 chart: 1 read, 0 failed, 0 with unused definitions\n");
}

TEST(CheckCommand, SendsTheReadersOverwriteNoticesToStandardError)
{
    const CliRun run = runTool({ "check", cliData("overwrite.bms") });
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, cliData("overwrite.bms") + ": ok\n");
    EXPECT_EQ(
        run.err, cliData("overwrite.bms") + ": wavs overwrite\n1 chart: 1 read, 0 failed, 0 with unused definitions\n");
}
