#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/cli_runner.h"

using testing::HasSubstr;
using testing::StartsWith;

TEST(CliUsage, HelpListsTheCommandsOnStandardOutput)
{
    const CliRun run = runTool({ "--help" });
    EXPECT_EQ(run.status, 0);
    for (const char* command : { "check", "normalize", "swap", "move", "remove", "unregister-unused", "compact",
             "register", "list", "missing" }) {
        EXPECT_THAT(run.out, HasSubstr(command));
    }
    EXPECT_EQ(run.err, "");
}

TEST(CliUsage, HelpOfACommandShowsItsArguments)
{
    const CliRun run = runTool({ "swap", "--help" });
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.out, HasSubstr("swap [OPTIONS] KIND FILE A B"));
}

TEST(CliUsage, VersionNamesTheProgramAndItsVersion)
{
    const CliRun run = runTool({ "--version" });
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, std::string("quelmarn-cli ") + QUELMARN_VERSION + "\n");
}

TEST(CliUsage, UsageErrorsExitWithTwoAndAUsageTextOnStandardError)
{
    const std::vector<std::vector<std::string>> mistakes = {
        {},
        { "frobnicate" },
        { "check" },
        { "list", "wave", cliData("basic.bms") },
        { "swap", "wav", cliData("basic.bms"), "01" },
        { "swap", "wav", cliData("basic.bms"), "01", "0" },
        { "swap", "wav", cliData("basic.bms"), "01", "0@" },
        { "remove", "wav", cliData("basic.bms"), "001" },
        { "move", "wav", cliData("basic.bms"), "sideways", "01" },
        { "normalize", cliData("basic.bms"), "-o", "x.bms", "--in-place" },
        { "normalize", cliData("basic.bms"), cliData("random.bms") },
    };
    for (const auto& arguments : mistakes) {
        const CliRun run = runTool(arguments);
        EXPECT_EQ(run.status, 2) << testing::PrintToString(arguments);
        EXPECT_THAT(run.err, HasSubstr("Usage: quelmarn-cli")) << testing::PrintToString(arguments);
        EXPECT_EQ(run.out, "") << testing::PrintToString(arguments);
    }
}

TEST(CliUsage, KindsAndIndicesAreTakenInEitherCase)
{
    const CliRun run = runTool({ "swap", "WAV", cliData("basic.bms"), "0a", "0B" });
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out, StartsWith("#TITLE Test\r\n"));
}
