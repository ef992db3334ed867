#pragma once

// A read-only command over many charts: the charts of the command line (folders
// walked) are read and worked on by N threads at once, and what each chart's work
// prints is written in the charts' order, exactly as one thread would write it. A
// chart that fails does not stop the others. A progress line shows on standard error
// for long runs on a terminal.

#include <CLI/CLI.hpp>
#include <any>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bms/parse_result.h"
#include "cli/chart_walk.h"
#include "cli/cli_session.h"

// Automatic: only on a terminal, after a second, and not beside JSON.
enum class ProgressMode { Automatic, Always };

struct RunOptions {
    unsigned jobs = 1;
    ProgressMode progress = ProgressMode::Automatic;
    // Only errors are printed: no "ok" lines, warnings, notices, summary or progress.
    bool quiet = false;
    // The command prints JSON, which is not shown with progress unless asked.
    bool json = false;
};

// Adds -j/--jobs (default: the number of processors), --progress and --quiet.
void addRunOptions(CLI::App& command, RunOptions& options);

// What reading one chart gave.
struct ChartRead {
    std::string path;
    // Null when the chart did not read.
    std::unique_ptr<BmsBms> document;
    // The reader's code and line; kept only when the reader ran.
    ParseResult result;
    // Why the path was not read at all (see ChartItem); empty when the reader ran.
    std::string problem;

    // "FILE:LINE: error CODE: MESSAGE" for a failed read, "FILE: error: PROBLEM" for a
    // path that was not read; without a line end.
    std::string failureLine() const;
};

// How one chart counts in the summary of a run.
struct ChartTally {
    bool failed = false;
    bool missesFiles = false;
    int unusedDefinitions = 0;
};

// What the work on one chart leaves, to be written in order.
struct ChartWork {
    std::string out;
    std::string err;
    int status = 0;
    ChartTally tally;
    // The chart's part of a JSON document, if the command makes one.
    std::string json;
    // What the command keeps of the chart for a report over several charts (ChartDone).
    std::any detail;
};

struct RunTotals {
    int status = 0;
    int charts = 0;
    int failed = 0;
    int missingFiles = 0;
    int unusedDefinitions = 0;
    std::vector<std::string> json;
};

// The work on one chart, on a worker thread with a session of its own: it prints to
// session.out() and session.err() and fills in the rest of work.
using ChartJob = std::function<void(CliSession& session, const ChartRead& read, ChartWork& work)>;

// Told of each chart's work in the charts' order, on the calling thread, before the work
// is written and counted: it may add to the work what only the charts before it tell.
using ChartDone = std::function<void(std::size_t chart, ChartWork& work)>;

RunTotals runOverCharts(CliSession& session, const RunOptions& options, const ChartList& charts, const ChartJob& job,
    const ChartDone& done = {});
