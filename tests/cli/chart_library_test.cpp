// Commands over folders of charts: the walk, the same output on any number of threads,
// the summary, progress, and paths that give no chart to read.

#include <cstdio>
#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sstream>
#ifndef _WIN32
#include <unistd.h>
#endif

#include "cli/cli_runner.h"

using testing::HasSubstr;
using testing::MatchesRegex;
using testing::Not;
using testing::StartsWith;

namespace {

// A chart whose length, objects and faults vary with its number: every fifth does not
// read, every seventh redefines a sound (a notice on standard error).
std::string generatedChart(int number)
{
    std::string text = "#TITLE generated\n";
    for (int sound = 1; sound <= 30; ++sound) {
        char line[32];
        std::snprintf(line, sizeof line, "#WAV%02d s%d.wav\n", sound, sound);
        text += line;
    }
    if (number % 7 == 3) {
        text += "#WAV01 again.wav\n";
    }
    const int measures = 3 + number * 37 % 90;
    for (int m = 0; m < measures; ++m) {
        char line[64];
        std::snprintf(
            line, sizeof line, "#%03d01:0%d00000%d\n#%03d11:0%d\n", m, (m + number) % 10, m % 7, m, (m * number) % 10);
        text += line;
    }
    if (number % 5 == 4) {
        text += "#00111:0\n";
    }
    return text;
}

class ChartLibrary : public testing::Test {
protected:
    // With the system's own separators, as the walk joins names.
    std::string path(const std::string& name) const
    {
        return (scratch.path() / std::filesystem::path(name).make_preferred()).string();
    }

    void makeFolder(const std::string& name) const { std::filesystem::create_directories(scratch.path() / name); }

    std::string addChart(const std::string& name, int number = 0) const
    {
        writeFileBytes(path(name), generatedChart(number));
        return path(name);
    }

    ScratchDirectory scratch;
};

// The in-process tool's standard output and standard error together.
std::string outputOf(const CliRun& run)
{
    return std::to_string(run.status) + '\n' + run.out + "--\n" + run.err;
}

} // namespace

TEST_F(ChartLibrary, WalksFoldersForChartsOfEveryExtensionInPathOrder)
{
    makeFolder("b");
    makeFolder("a/sub");
    const std::string sub = addChart("a/sub/one.bme");
    const std::string pms = addChart("a/two.PMS");
    const std::string bml = addChart("a/three.Bml");
    const std::string bms = addChart("b/four.BMS");
    writeFileBytes(path("a/notes.txt"), "#TITLE not a chart\n");
    const CliRun run = runTool({ "check", scratch.path().string() });
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, sub + ": ok\n" + bml + ": ok\n" + pms + ": ok\n" + bms + ": ok\n");
    EXPECT_EQ(run.err, "4 charts: 4 read, 0 failed, 4 with unused definitions\n");
}

TEST_F(ChartLibrary, AnyNumberOfThreadsGivesTheOutputOfOneChartAfterAnother)
{
    std::vector<std::string> charts;
    for (int number = 0; number < 40; ++number) {
        charts.push_back(addChart("chart" + std::to_string(100 + number) + ".bms", number));
    }
    for (const char* command : { "check", "missing", "list" }) {
        std::vector<std::string> arguments = { command };
        if (std::string(command) == "list") {
            arguments.insert(arguments.end(), { "wav", "--json" });
        }
        arguments.push_back(scratch.path().string());
        arguments.push_back("-j");
        std::vector<std::string> one = arguments;
        one.push_back("1");
        std::vector<std::string> three = arguments;
        three.push_back("3");
        const std::string expected = outputOf(runTool(one));
        EXPECT_EQ(outputOf(runTool(three)), expected) << command;
    }
    // Each chart read alone, on a thread that no earlier chart left storage to, reports
    // what it reports among the others.
    const CliRun all = runTool({ "list", "wav", "--json", scratch.path().string() });
    for (std::size_t i = 0; i < charts.size(); ++i) {
        const CliRun alone = runTool({ "list", "wav", "--json", charts[i] });
        if (alone.status == 0) {
            EXPECT_THAT(all.out, HasSubstr("\"definitions\":" + alone.out.substr(0, alone.out.size() - 1) + '}'))
                << charts[i];
        }
    }
}

TEST_F(ChartLibrary, JsonOfCheckHasEveryChartAndTheSummary)
{
    addChart("good.bms");
    addChart("broken.bms", 4);
    const CliRun run = runTool({ "check", "--json", scratch.path().string() });
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.out, HasSubstr("broken.bms\",\"code\":7,\"line\":"));
    EXPECT_THAT(run.out, HasSubstr("good.bms\",\"code\":0,"));
    EXPECT_THAT(run.out, HasSubstr("\"unused_definitions\":{\"wav\":"));
    EXPECT_THAT(
        run.out, HasSubstr("\"summary\":{\"charts\":2,\"read\":1,\"failed\":1,\"with_unused_definitions\":1}}\n"));
    EXPECT_EQ(run.err, "");
}

TEST_F(ChartLibrary, QuietPrintsOnlyErrorsAndProgressCanBeForced)
{
    addChart("good.bms");
    const std::string broken = addChart("broken.bms", 4);
    const CliRun quiet = runTool({ "check", "--quiet", scratch.path().string() });
    EXPECT_EQ(quiet.status, 1);
    EXPECT_THAT(quiet.out, StartsWith(broken + ":"));
    EXPECT_THAT(quiet.out, Not(HasSubstr(": ok")));
    EXPECT_EQ(quiet.err, "");

    const CliRun forced = runTool({ "check", "--progress", scratch.path().string() });
    // Redrawn in place, and cleared before the summary (a pattern that the simple
    // expressions of Windows builds take too).
    EXPECT_THAT(forced.err, MatchesRegex("\r./2 charts, .+ charts/s.*\r +\r2 charts: 1 read, .*\n"));
}

TEST_F(ChartLibrary, EachPathThatGivesNoChartSaysWhyAndTheOthersGoOn)
{
    makeFolder("empty/deeper");
    const std::string chart = addChart("good.bms");
    // A chart file far larger than any chart, without taking the room.
    const std::string huge = path("huge.bms");
    writeFileBytes(huge, "");
    std::filesystem::resize_file(huge, std::uintmax_t { 2 } << 30);
    const CliRun run = runTool({ "check", path("empty"), scratch.path().string() });
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
        path("empty") + ": error: no chart in the folder (.bms, .bme, .bml or .pms)\n" + chart + ": ok\n" + huge
            + ": error: not read: the file has 2147483648 bytes, more than a chart can have (268435456)\n");
    EXPECT_THAT(run.err, HasSubstr("3 charts: 1 read, 2 failed"));
}

TEST_F(ChartLibrary, EditingCommandsTakeFoldersOnlyInPlace)
{
    makeFolder("song");
    addChart("song/only.bms");
    EXPECT_EQ(runTool({ "normalize", path("song") }).status, 2);
    const CliRun run = runTool({ "compact", "wav", "--in-place", path("song") });
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, path("song/only.bms") + ": written\n");
}

#ifndef _WIN32
namespace {

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

} // namespace

TEST_F(ChartLibrary, LinkLoopsVanishedFilesAndRawNamesOnLinux)
{
    makeFolder("a");
    const std::string chart = addChart("a/\x83\x65\x83\x58\x83\x67.bms"); // "テスト" in raw code page 932
    std::filesystem::create_directory_symlink(scratch.path() / "a", scratch.path() / "a" / "loop");
    std::filesystem::create_symlink(scratch.path() / "nowhere.bms", scratch.path() / "a" / "vanished.bms");
    const CliRun run = runTool({ "check", scratch.path().string() });
    EXPECT_EQ(run.status, 1);
    const std::vector<std::string> lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 3u) << run.out;
    EXPECT_EQ(lines[0], path("a/loop") + ": error: not walked: the link leads back to a folder above it");
    EXPECT_THAT(lines[1], StartsWith(path("a/vanished.bms") + ":0: error 4: "));
    EXPECT_EQ(lines[2], chart + ": ok");
    // JSON is UTF-8 whatever the names are.
    EXPECT_THAT(
        runTool({ "check", "--json", path("a") }).out, HasSubstr("/\xe3\x83\x86\xe3\x82\xb9\xe3\x83\x88.bms\""));
}

TEST_F(ChartLibrary, AnUnreadableFolderIsReported)
{
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads every folder";
    }
    makeFolder("locked");
    addChart("locked/song.bms");
    std::filesystem::permissions(scratch.path() / "locked", std::filesystem::perms::none);
    const CliRun run = runTool({ "check", scratch.path().string() });
    std::filesystem::permissions(scratch.path() / "locked", std::filesystem::perms::owner_all);
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.out, HasSubstr(path("locked") + ": error: cannot read the folder: Permission denied\n"));
}
#endif
