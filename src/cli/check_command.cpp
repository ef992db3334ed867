#include <memory>
#include <string>

#include "bms/layout_check.h"
#include "cli/chart_output.h"
#include "cli/commands.h"

namespace {

int checkCharts(CliSession& session, const std::vector<std::string>& files)
{
    int status = 0;
    for (const std::string& file : files) {
        std::unique_ptr<BmsBms> document;
        if (!session.read(file, document)) {
            session.out() << readFailureLine(file) << '\n';
            status = kFailureStatus;
            continue;
        }
        session.out() << file << ": ok\n";
        for (const SourceFinding& finding : findUnkeepableConstructs(*document)) {
            session.err() << findingMessage(file, "warning", finding, SaveLayout::Normalised) << '\n';
        }
    }
    return status;
}

} // namespace

void addCheckCommand(CLI::App& app, CliSession& session, CommandList& commands)
{
    auto files = std::make_shared<std::vector<std::string>>();
    CLI::App* command = app.add_subcommand("check", "Read each chart and report whether it reads");
    command->add_option("FILE", *files, "Chart files")->required()->type_name("");
    commands.push_back({ command, [&session, files] { return checkCharts(session, *files); } });
}
