#pragma once

// Where every writing command puts its chart: to OUT with -o, back to FILE with
// --in-place, to standard output otherwise (or with -o -). The editing commands keep the
// chart's own text unless --normalize is given. A chart that the chosen layout cannot
// keep is refused unless --force is given.

#include <CLI/CLI.hpp>
#include <functional>
#include <string>
#include <vector>

#include "bms/chart_save.h"
#include "cli/cli_session.h"
#include "model/chart_source.h"

struct OutputOptions {
    std::string outPath;
    bool inPlace = false;
    bool force = false;
    // Whether the command offers the layout-keeping save, and whether it was declined.
    bool keepsLayout = false;
    bool normalize = false;

    SaveLayout layout() const { return keepsLayout && !normalize ? SaveLayout::KeepText : SaveLayout::Normalised; }
};

// "FILE:LINE: " (just "FILE: " for line 0), then the label, then what the finding is and
// that a save in the layout cannot keep it.
std::string findingMessage(const std::string& file, const char* label, const SourceFinding& finding);

// Adds -o/--output, --in-place and --force to a command, and --normalize when the options
// keep the layout.
void addOutputOptions(CLI::App& command, OutputOptions& options);

// Writes the chart read from file where the options say. Returns the exit status: 0,
// or 1 after reporting on standard error why nothing was written.
int emitChart(CliSession& session, const std::string& file, const BmsBms& document, const OutputOptions& options);

// Changes a chart read from file; returns 0 to have it written, or the exit status
// with which the file fails unwritten (having said why).
using ChartEdit = std::function<int(BmsBms& document, const std::string& file)>;

// Reads, edits and writes each chart in turn (folders walked); a chart that fails does
// not stop the others. Several files, or a folder, are a usage error unless they are
// written in place. Returns the highest exit status of any chart.
int editCharts(
    CliSession& session, const std::vector<std::string>& files, const OutputOptions& options, const ChartEdit& edit);
