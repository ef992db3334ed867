// Times quelmarn-cli over a generated chart library as whole processes, the way a
// player runs it: check, missing and list --json, on one core and on two. Prints the
// figures and never fails on them.
//
//   quelmarn_library_benchmark [TOOL [FOLDERS]]
//
// TOOL defaults to the quelmarn-cli of this build; FOLDERS (default 100) times 37
// charts make the library.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>

#include "chart_library.h"

namespace {

constexpr int kRounds = 3;

std::filesystem::path defaultTool()
{
    const std::filesystem::path bench = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    return bench.parent_path() / "src" / "cli" / "quelmarn-cli";
}

// The processor time that the finished child processes have taken, in seconds.
double childProcessorSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& time) { return static_cast<double>(time.tv_sec) + time.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The best of a few runs: wall-clock and processor seconds (which a machine shared with
// other work inflates less), and the exit status of the last.
struct Timing {
    double seconds;
    double processorSeconds;
    int status;
};

Timing timeCommand(const std::string& command)
{
    Timing timing { 1e9, 1e9, 0 };
    for (int round = 0; round < kRounds; ++round) {
        const double processorStart = childProcessorSeconds();
        const auto start = std::chrono::steady_clock::now();
        timing.status = std::system(command.c_str());
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        timing.seconds = std::min(timing.seconds, elapsed.count());
        timing.processorSeconds = std::min(timing.processorSeconds, childProcessorSeconds() - processorStart);
    }
    return timing;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string tool = argc > 1 ? argv[1] : defaultTool().string();
    ChartLibraryLayout layout;
    if (argc > 2)
        layout.folders = std::max(1, std::atoi(argv[2]));

    const std::filesystem::path root = std::filesystem::temp_directory_path() / "quelmarn-library-benchmark";
    std::filesystem::remove_all(root);
    std::printf("writing the library to %s ...\n", root.string().c_str());
    const ChartLibraryContent content = writeChartLibrary(root, layout);
    std::printf("%d charts in %d folders, %.1f MB of charts (%.1f KB each on average), %d broken\n", content.charts,
        layout.folders, static_cast<double>(content.chartBytes) / 1e6,
        static_cast<double>(content.chartBytes) / 1e3 / content.charts, content.brokenCharts);
    // One untimed run brings every file into the page cache.
    std::system((tool + " check -j 2 '" + root.string() + "' >/dev/null 2>&1").c_str());

    std::printf("%-16s %4s %9s %12s %13s %7s\n", "command", "-j", "seconds", "charts/s", "processor s", "status");
    for (const char* command : { "check", "missing", "list wav --json" }) {
        for (int jobs : { 1, 2 }) {
            const Timing timing = timeCommand(
                tool + ' ' + command + " -j " + std::to_string(jobs) + " '" + root.string() + "' >/dev/null 2>&1");
            std::printf("%-16s %4d %9.2f %12.0f %13.2f %7d\n", command, jobs, timing.seconds,
                content.charts / timing.seconds, timing.processorSeconds, WEXITSTATUS(timing.status));
        }
    }
    std::filesystem::remove_all(root);
    return 0;
}
