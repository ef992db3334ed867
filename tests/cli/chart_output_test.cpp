#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sstream>

#include "cli/cli_app.h"
#include "cli/cli_runner.h"

using testing::HasSubstr;

namespace {

const std::string& normalizedBasic()
{
    static const std::string bytes = readFileBytes(cliData("basic_normalized.bms"));
    return bytes;
}

// A stream whose every write fails, as a full disk or a closed pipe behind standard
// output would.
class FailingBuffer : public std::streambuf {
protected:
    int overflow(int) override { return traits_type::eof(); }
};

} // namespace

TEST(ChartOutput, WritesToStandardOutputWithoutOutOrWithADash)
{
    for (const auto& arguments : { std::vector<std::string> { "normalize", cliData("basic.bms") },
             std::vector<std::string> { "normalize", cliData("basic.bms"), "-o", "-" } }) {
        const CliRun run = runTool(arguments);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, normalizedBasic());
        EXPECT_EQ(run.err, "");
    }
}

TEST(ChartOutput, WritesToOutAndLeavesTheInputAlone)
{
    ScratchDirectory scratch;
    const std::string input = copyChart(scratch, "basic.bms");
    const CliRun run = runTool({ "normalize", input, "-o", scratch.file("out.bms") });
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(readFileBytes(scratch.file("out.bms")), normalizedBasic());
    EXPECT_EQ(readFileBytes(input), readFileBytes(cliData("basic.bms")));
}

TEST(ChartOutput, InPlaceBatchReportsEachFileAndGoesOnPastAFailure)
{
    ScratchDirectory scratch;
    const std::string first = copyChart(scratch, "basic.bms");
    const std::string broken = copyChart(scratch, "broken.bms");
    const std::string second = scratch.file("second.bms");
    writeFileBytes(second, readFileBytes(first));

    const CliRun run = runTool({ "normalize", "--in-place", first, broken, second });
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, first + ": written\n" + second + ": written\n");
    EXPECT_THAT(run.err, HasSubstr(broken + ":3: error 7: "));
    EXPECT_EQ(readFileBytes(first), normalizedBasic());
    EXPECT_EQ(readFileBytes(second), normalizedBasic());
    EXPECT_EQ(readFileBytes(broken), readFileBytes(cliData("broken.bms")));
}

TEST(ChartOutput, AReadFailureWritesNothing)
{
    ScratchDirectory scratch;
    const CliRun run = runTool({ "normalize", cliData("broken.bms"), "-o", scratch.file("out.bms") });
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_THAT(run.err, HasSubstr(cliData("broken.bms") + ":3: error 7: "));
    EXPECT_FALSE(std::filesystem::exists(scratch.file("out.bms")));
}

TEST(ChartOutput, AWriteFailureNamesTheTargetAndTheReason)
{
    ScratchDirectory scratch;
    const std::string target = scratch.file("no-such-directory/out.bms");
    const CliRun run = runTool({ "normalize", cliData("basic.bms"), "-o", target });
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_THAT(run.err, HasSubstr(target + ": cannot write: "));
#ifndef _WIN32
    EXPECT_THAT(run.err, HasSubstr("No such file or directory"));
#endif
}

TEST(ChartOutput, RefusesAChartTheLayoutCannotKeepUnlessForced)
{
    ScratchDirectory scratch;
    const std::string input = copyChart(scratch, "random.bms");
    const CliRun refused = runTool({ "normalize", "--in-place", input });
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_THAT(refused.err, HasSubstr(input + ":2: not written: the chart uses #RANDOM"));
    EXPECT_EQ(readFileBytes(input), readFileBytes(cliData("random.bms")));

    const CliRun forced = runTool({ "normalize", "--in-place", "--force", input });
    EXPECT_EQ(forced.status, 0);
    EXPECT_THAT(readFileBytes(input), HasSubstr("#RANDOM 2\r\n"));
}

TEST(ChartOutput, NamesEveryLineWhoseObjectsOrLengthTheLayoutWouldMove)
{
    ScratchDirectory scratch;
    const std::string input = scratch.file("moving.bms");
    writeFileBytes(input, "#WAV01 a.wav\n#00102:0.1\n#00211:0001000000\n#00311:01\n");
    const CliRun refused = runTool({ "normalize", input });
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err,
        input
            + ":2: not written: the measure length #00102:0.1 is not a whole number of ticks, which the normalised "
              "layout cannot keep (--force writes it anyway)\n"
            + input
            + ":3: not written: #00211 has objects off the tick grid, which the normalised layout cannot keep "
              "(--force writes it anyway)\n");
    EXPECT_EQ(runTool({ "normalize", "--force", input }).status, 0);
}

TEST(ChartOutput, EveryEditingCommandKeepsAControlFlowChartInItsOwnLayout)
{
    const std::string chart = cliData("random.bms");
    for (const char* command : { "swap", "move", "remove", "unregister-unused", "compact", "register" }) {
        std::vector<std::string> arguments = { command, "wav", chart };
        if (arguments[0] == "swap")
            arguments.insert(arguments.end(), { "01", "02" });
        else if (arguments[0] == "move")
            arguments.insert(arguments.end(), { "down", "02" });
        else if (arguments[0] == "remove")
            arguments.push_back("03");
        else if (arguments[0] == "register")
            arguments.push_back("x.wav");
        const CliRun run = runTool(arguments);
        EXPECT_EQ(run.status, 0) << command;
        EXPECT_THAT(run.out, HasSubstr("#RANDOM 2\n#IF 1\n")) << command;
    }
}

TEST(ChartOutput, ABase62ChartIsEditedWithItsIndicesReadInItsOwnBase)
{
    ScratchDirectory scratch;
    const std::string chart = scratch.file("base62.bms");
    writeFileBytes(chart, "#WAVAa a.wav\n#WAVAA b.wav\n#WAVaA c.wav\n#00111:AaAAaA\n#BASE 62\n");
    const CliRun swapped = runTool({ "swap", "wav", chart, "Aa", "aA" });
    EXPECT_EQ(swapped.status, 0) << swapped.err;
    EXPECT_EQ(swapped.out, "#WAVaA a.wav\n#WAVAA b.wav\n#WAVAa c.wav\n#00111:aAAAAa\n#BASE 62\n");
    const CliRun compacted = runTool({ "compact", "wav", chart, "--normalize" });
    EXPECT_EQ(compacted.status, 0) << compacted.err;
    EXPECT_THAT(compacted.out, HasSubstr("#BASE 62\r\n\r\n#WAV01 b.wav\r\n#WAV02 a.wav\r\n#WAV03 c.wav\r\n"));
    const CliRun listed = runTool({ "list", "wav", chart, "--json" });
    EXPECT_THAT(listed.out, HasSubstr("\"index\":\"aA\""));
}

TEST(ChartOutput, TheBaseCommandSwitchesBothWaysOrSaysWhyNot)
{
    ScratchDirectory scratch;
    const std::string chart = scratch.file("grown.bms");
    writeFileBytes(chart, "#TITLE t\n#WAV0a a.wav\n#00111:0a\n");
    ASSERT_EQ(runTool({ "base", "62", chart, "--in-place" }).status, 0);
    EXPECT_EQ(readFileBytes(chart), "#TITLE t\n#BASE 62\n#WAV0A a.wav\n#00111:0A\n");
    writeFileBytes(chart, "#TITLE t\n#BASE 62\n#WAV0a a.wav\n#00111:0a\n");
    const CliRun refused = runTool({ "base", "36", chart, "--in-place" });
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err,
        chart
            + ": not switched to base 36: WAV 0a has a lower-case letter, which base 36 cannot write (compact "
              "first)\n");
    EXPECT_EQ(runTool({ "compact", "wav", chart, "--in-place" }).status, 0);
    ASSERT_EQ(runTool({ "base", "36", chart, "--in-place" }).status, 0);
    EXPECT_EQ(readFileBytes(chart), "#TITLE t\n#WAV01 a.wav\n#00111:01\n");
    EXPECT_EQ(runTool({ "base", "16", chart }).status, 2);
}

TEST(ChartOutput, CheckWarnsAboutDisagreeingAndOtherBases)
{
    ScratchDirectory scratch;
    const std::string chart = scratch.file("bases.bms");
    writeFileBytes(chart, "#BASE 36\n#WAVaa a.wav\n#BASE 62\n#BASE 16\n#00011:aa\n");
    const CliRun run = runTool({ "check", chart });
    EXPECT_THAT(run.err,
        HasSubstr(chart + ":3: warning: #BASE 62 differs from an earlier #BASE line; the last one counts\n" + chart
            + ":4: warning: the chart uses #BASE 16 (read as base 36), which the normalised layout cannot keep\n"));
}

TEST(ChartOutput, EveryWritingCommandRefusesUnlessForcedWhenItNormalises)
{
    const std::string chart = cliData("random.bms");
    const std::vector<std::vector<std::string>> commands = {
        { "normalize", chart },
        { "swap", "wav", chart, "01", "02", "--normalize" },
        { "move", "wav", chart, "down", "01", "--normalize" },
        { "remove", "wav", chart, "01", "--normalize" },
        { "unregister-unused", "wav", chart, "--normalize" },
        { "compact", "wav", chart, "--normalize" },
        { "register", "wav", chart, "x.wav", "--normalize" },
    };
    for (std::vector<std::string> arguments : commands) {
        const CliRun refused = runTool(arguments);
        EXPECT_EQ(refused.status, 1) << arguments[0];
        EXPECT_EQ(refused.out, "") << arguments[0];
        arguments.push_back("--force");
        const CliRun forced = runTool(arguments);
        EXPECT_EQ(forced.status, 0) << arguments[0];
        EXPECT_THAT(forced.out, HasSubstr("#RANDOM 2\r\n")) << arguments[0];
    }
}

TEST(ChartOutput, AFailingStandardOutputIsReported)
{
    FailingBuffer failing;
    std::ostream out(&failing);
    std::ostringstream err;
    std::string program = "quelmarn-cli";
    std::string command = "normalize";
    std::string chart = cliData("basic.bms");
    char* argv[] = { program.data(), command.data(), chart.data(), nullptr };
    EXPECT_EQ(runCli(3, argv, out, err), 1);
    EXPECT_THAT(err.str(), HasSubstr("standard output: cannot write: "));
}
