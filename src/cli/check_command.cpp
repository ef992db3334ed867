#include <memory>
#include <string>

#include "bms/layout_check.h"
#include "cli/chart_output.h"
#include "cli/chart_report.h"
#include "cli/commands.h"
#include "editing/definition_counts.h"
#include "model/definition_kind.h"

namespace {

using CheckArguments = ReportArguments;

void checkChart(const CheckArguments& arguments, CliSession& session, const ChartRead& read, ChartWork& work)
{
    Json chart = chartJson(read);
    if (!read.document) {
        if (!arguments.json) {
            session.out() << read.failureLine() << '\n';
        }
        work.status = kFailureStatus;
        work.tally.failed = true;
    } else {
        if (!arguments.json && !arguments.run.quiet) {
            session.out() << read.path << ": ok\n";
        }
        if (!arguments.run.quiet) {
            for (const SourceFinding& finding : findUnkeepableConstructs(*read.document)) {
                session.err() << findingMessage(read.path, "warning", finding) << '\n';
            }
        }
        for (DefinitionKind kind : kDefinitionKinds) {
            const int unused = countDefinitions(*read.document, kind).unused;
            chart["unused_definitions"][kindKeyword(kind)] = unused;
            work.tally.unusedDefinitions += unused;
        }
    }
    if (arguments.json) {
        work.json = jsonPart(chart);
    }
}

int checkCharts(CliSession& session, const CheckArguments& arguments)
{
    return runReport(
        session, arguments, {}, [&arguments](CliSession& chartSession, const ChartRead& read, ChartWork& work) {
            checkChart(arguments, chartSession, read, work);
        });
}

} // namespace

void addCheckCommand(CLI::App& app, CliSession& session, CommandList& commands)
{
    auto arguments = std::make_shared<CheckArguments>();
    CLI::App* command = app.add_subcommand("check", "Read each chart and report whether it reads");
    addReportArguments(*command, *arguments);
    commands.push_back({ command, [&session, arguments] { return checkCharts(session, *arguments); } });
}
