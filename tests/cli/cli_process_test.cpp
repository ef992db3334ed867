// The real executable, started as a process: exit statuses and the exact bytes it
// writes to standard output. Natively only; under Wine the in-process tests suffice.
#ifndef _WIN32

#include <cstdlib>
#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

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

// What the tool writes to standard error when that is a terminal (standard output is
// discarded).
std::string errorsOnATerminal(const std::vector<std::string>& arguments)
{
    int terminal = -1;
    int side = -1;
    if (openpty(&terminal, &side, nullptr, nullptr, nullptr) != 0) {
        return "no terminal";
    }
    const pid_t child = fork();
    if (child == 0) {
        dup2(side, STDERR_FILENO);
        std::freopen("/dev/null", "w", stdout);
        std::vector<std::string> words = { toolPath().string() };
        words.insert(words.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& word : words) {
            argv.push_back(word.data());
        }
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(side);
    std::string written;
    char buffer[4096];
    for (ssize_t got; (got = read(terminal, buffer, sizeof buffer)) > 0;) {
        written.append(buffer, static_cast<std::size_t>(got));
    }
    close(terminal);
    waitpid(child, nullptr, 0);
    return written;
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

TEST_F(ToolProcess, ShowsProgressOnATerminalAndClearsItBeforeTheSummary)
{
    const std::string folder = std::filesystem::path(cliData("basic.bms")).parent_path().string();
    EXPECT_THAT(errorsOnATerminal({ "check", "--progress", folder }),
        testing::MatchesRegex("\r[0-9]+/8 charts, [0-9]+ charts/s.*\r +\r.*8 charts: 7 read, .*"));
    EXPECT_EQ(errorsOnATerminal({ "check", "--quiet", folder }), "");
}

#endif
