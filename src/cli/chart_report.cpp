#include "cli/chart_report.h"

#include "cli/cli_arguments.h"
#include "platform/text_encoding.h"

namespace {

std::string dump(const Json& json)
{
    return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

} // namespace

Json chartJson(const ChartRead& read)
{
    Json chart;
    chart["file"] = systemTextToUtf8(read.path);
    if (!read.problem.empty()) {
        chart["code"] = nullptr;
        chart["line"] = nullptr;
        chart["message"] = systemTextToUtf8(read.problem);
    } else {
        chart["code"] = read.result.code;
        chart["line"] = read.result.line;
        chart["message"] = cp932ToUtf8(messageFor(read.result.code));
    }
    return chart;
}

std::string jsonPart(const Json& chart)
{
    return dump(chart);
}

std::string jsonArray(const std::vector<std::string>& parts)
{
    std::string array = "[";
    for (const std::string& part : parts) {
        array += array.size() == 1 ? "" : ",";
        array += part;
    }
    return array + ']';
}

namespace {

void printSummary(std::ostream& err, const RunTotals& totals, SummaryCounts counts)
{
    err << totals.charts << (totals.charts == 1 ? " chart: " : " charts: ") << totals.charts - totals.failed
        << " read, " << totals.failed << " failed, ";
    if (counts.missingFiles) {
        err << totals.missingFiles << " with missing files, ";
    }
    err << totals.unusedDefinitions << " with unused definitions\n";
}

void printJsonDocument(std::ostream& out, const RunTotals& totals, SummaryCounts counts, const GroupReport* groups)
{
    Json summary;
    summary["charts"] = totals.charts;
    summary["read"] = totals.charts - totals.failed;
    summary["failed"] = totals.failed;
    if (counts.missingFiles) {
        summary["with_missing_files"] = totals.missingFiles;
    }
    summary["with_unused_definitions"] = totals.unusedDefinitions;
    out << "{\"charts\":" << jsonArray(totals.json);
    if (groups) {
        out << ",\"" << groups->jsonKey() << "\":" << jsonArray(groups->jsonParts());
    }
    out << ",\"summary\":" << dump(summary) << "}\n";
}

} // namespace

void addReportArguments(CLI::App& command, ReportArguments& arguments)
{
    addPathsArgument(command, arguments.files);
    command.add_flag("--json", arguments.json, "Print one JSON document with every chart and the summary");
    addRunOptions(command, arguments.run);
}

int runReport(CliSession& session, const ReportArguments& arguments, SummaryCounts counts, const ChartJob& job,
    const GroupReportMaker& makeGroups)
{
    RunOptions options = arguments.run;
    options.json = arguments.json;
    const ChartList charts = listCharts(arguments.files);
    const std::unique_ptr<GroupReport> groups = makeGroups ? makeGroups(charts) : nullptr;
    ChartDone done;
    if (groups) {
        done = [&groups](std::size_t chart, ChartWork& work) { groups->chartDone(chart, work); };
    }
    const RunTotals totals = runOverCharts(session, options, charts, job, done);
    if (arguments.json) {
        printJsonDocument(session.out(), totals, counts, groups.get());
    } else if (!arguments.run.quiet) {
        printSummary(session.err(), totals, counts);
    }
    return totals.status;
}
