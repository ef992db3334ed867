#pragma once

// What check and missing report about every chart and about the whole run: a chart's
// entry of the JSON document, and the summary as one line on standard error or as part
// of the JSON document.

#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/chart_run.h"

using Json = nlohmann::ordered_json;

// {"file", "code", "line", "message"}: the reader's result, or for a path that was not
// read, null code and line and the problem as the message.
Json chartJson(const ChartRead& read);

// The part of a chart in the JSON document, as it goes into ChartWork::json.
std::string jsonPart(const Json& chart);
// The parts as one JSON array.
std::string jsonArray(const std::vector<std::string>& parts);

// Which counts a command's summary has besides the charts read and failed.
struct SummaryCounts {
    bool missingFiles = false;
};

// The arguments that check and missing share: charts and folders, --json and the run
// options.
struct ReportArguments {
    std::vector<std::string> files;
    bool json = false;
    RunOptions run;
};
void addReportArguments(CLI::App& command, ReportArguments& arguments);

// A report on groups of charts beside each chart's own, made for the charts of a run: it
// is told of every chart's work in order (see ChartDone) and has its own array in the
// JSON document.
class GroupReport {
public:
    virtual ~GroupReport() = default;
    virtual void chartDone(std::size_t chart, ChartWork& work) = 0;
    // The array's key, and its parts as jsonPart() makes them.
    virtual const char* jsonKey() const = 0;
    virtual const std::vector<std::string>& jsonParts() const = 0;
};
using GroupReportMaker = std::function<std::unique_ptr<GroupReport>(const ChartList& charts)>;

// Runs check or missing: the job over the charts of the paths, then the JSON document
// {"charts": [...], ["GROUPS": [...],] "summary": {...}} on standard output, or else the
// summary line "N charts: R read, F failed[, M with missing files], U with unused
// definitions" on standard error. Returns the exit status.
int runReport(CliSession& session, const ReportArguments& arguments, SummaryCounts counts, const ChartJob& job,
    const GroupReportMaker& makeGroups = {});
