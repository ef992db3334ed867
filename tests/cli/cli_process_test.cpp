// The real executable, started as a process: exit statuses and the exact bytes it
// writes to standard output. Natively only; under Wine the in-process tests suffice.
#ifndef _WIN32

#include <algorithm>
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

// A chart many chunks long, and a file size limit (which the shell's ulimit counts in
// blocks of 512 or 1,024 bytes) under which its writing fails part way, as on a full disk.
class PartWayFailure : public ToolProcess {
protected:
    void SetUp() override
    {
        ToolProcess::SetUp();
        std::string chart = "#WAV01 a.wav\r\n";
        for (int measure = 0; measure < 1000; ++measure)
            chart += "#" + std::to_string(1000 + measure).substr(1) + "11:" + std::string(384, '1') + "\r\n";
        writeFileBytes(input, chart);
    }

    // The tool's exit status; the limit holds for it alone, with the signal ignored so
    // that the write fails instead.
    int runLimited(const std::string& arguments, const std::string& output)
    {
        return exitStatusOf("(trap '' XFSZ; ulimit -f 200; exec " + run(arguments, output, errors) + ")");
    }

    const std::string input = scratch.file("long.bms");
    const std::string errors = scratch.file("errors.txt");
};

TEST_F(PartWayFailure, LeavesTheTargetAsItWasAndSaysWhy)
{
    const std::string target = scratch.file("out.bms");
    writeFileBytes(target, "old");
    EXPECT_EQ(runLimited("normalize '" + input + "' -o '" + target + "'", "/dev/null"), 1);
    EXPECT_EQ(readFileBytes(errors), target + ": cannot write: File too large\n");
    EXPECT_EQ(readFileBytes(target), "old");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(scratch.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string> { "errors.txt", "long.bms", "out.bms" }));
}

TEST_F(PartWayFailure, OnStandardOutputStopsAndSaysWhy)
{
    EXPECT_EQ(runLimited("normalize '" + input + "'", scratch.file("out.bms")), 1);
    EXPECT_EQ(readFileBytes(errors), "standard output: cannot write: File too large\n");
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
