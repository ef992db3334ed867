#include <memory>
#include <string>

#include "cli/chart_output.h"
#include "cli/commands.h"

namespace {

struct NormalizeArguments {
    std::vector<std::string> files;
    OutputOptions output;
};

} // namespace

void addNormalizeCommand(CLI::App& app, CliSession& session, CommandList& commands)
{
    auto arguments = std::make_shared<NormalizeArguments>();
    CLI::App* command = app.add_subcommand("normalize", "Write charts in the normalised layout");
    command->add_option("FILE", arguments->files, "Chart files (several only with --in-place)")
        ->required()
        ->type_name("");
    addOutputOptions(*command, arguments->output);
    commands.push_back({ command, [&session, arguments] {
                            return editCharts(session, arguments->files, arguments->output,
                                [](BmsBms&, const std::string&) { return 0; });
                        } });
}
