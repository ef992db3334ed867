// The real executable, started as a process: exit statuses and the exact bytes it
// writes to standard output. Natively only; under Wine the in-process tests suffice.
#ifndef _WIN32

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include "cli/cli_runner.h"

namespace {

// The build puts the tool at src/cli/ beside the tests' tests/ directory.
std::filesystem::path toolPath()
{
    const std::filesystem::path tests = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    return tests.parent_path() / "src" / "cli" / "quelmarn-cli";
}

int exitStatusOf(const std::string& command)
{
    const int result = std::system(command.c_str());
    return WIFEXITED(result) ? WEXITSTATUS(result) : -1;
}

class ToolProcess : public testing::Test {
protected:
    void SetUp() override
    {
        if (!std::filesystem::exists(toolPath())) {
            GTEST_SKIP() << "quelmarn-cli is not built at " << toolPath();
        }
    }

    std::string run(const std::string& arguments, const std::string& output, const std::string& errors = "/dev/null")
    {
        return toolPath().string() + " " + arguments + " >" + output + " 2>" + errors;
    }

    ScratchDirectory scratch;
};

} // namespace

TEST_F(ToolProcess, WritesTheChartToStandardOutputByteForByte)
{
    const std::string output = scratch.file("out.bms");
    EXPECT_EQ(exitStatusOf(run("normalize '" + cliData("basic.bms") + "'", output)), 0);
    EXPECT_EQ(readFileBytes(output), readFileBytes(cliData("basic_normalized.bms")));
}

TEST_F(ToolProcess, AFullStandardOutputFailsWithTheSystemsReason)
{
    const std::string errors = scratch.file("errors.txt");
    EXPECT_EQ(exitStatusOf(run("normalize '" + cliData("basic.bms") + "'", "/dev/full", errors)), 1);
    EXPECT_EQ(readFileBytes(errors), "standard output: cannot write: No space left on device\n");
}

TEST_F(ToolProcess, ExitStatusesSaySuccessFailureAndUsageError)
{
    const std::string output = scratch.file("out.txt");
    EXPECT_EQ(exitStatusOf(run("check '" + cliData("basic.bms") + "'", output)), 0);
    EXPECT_EQ(exitStatusOf(run("check '" + cliData("broken.bms") + "'", output)), 1);
    EXPECT_EQ(exitStatusOf(run("check", output)), 2);
}

#endif
