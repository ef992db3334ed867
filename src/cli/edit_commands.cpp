#include <functional>
#include <memory>
#include <string>

#include "cli/chart_output.h"
#include "cli/cli_arguments.h"
#include "cli/commands.h"
#include "cli/selection_page.h"
#include "editing/definition_operations.h"
#include "editing/index_base_switch.h"

namespace {

struct EditArguments {
    DefinitionKind kind = kKindWav;
    std::vector<std::string> files;
    std::vector<std::string> indices;
    bool up = true;
    OutputOptions output;
};

// What an edit command does to the page of its kind, with the named rows selected.
using PageEdit = std::function<int(SelectionPage& page, const std::string& file)>;

CLI::App* addEditCommand(CLI::App& app, const char* name, const char* description, EditArguments& arguments)
{
    CLI::App* command = app.add_subcommand(name, description);
    addKindArgument(*command, arguments.kind);
    return command;
}

void addManyFiles(CLI::App& command, EditArguments& arguments)
{
    command.add_option("FILE", arguments.files, "Chart files (several only with --in-place)")
        ->required()
        ->type_name("");
}

void finishEditCommand(CLI::App& command, CliSession& session, CommandList& commands,
    std::shared_ptr<EditArguments> arguments, PageEdit edit)
{
    arguments->output.keepsLayout = true;
    addOutputOptions(command, arguments->output);
    commands.push_back({ &command, [&session, arguments, edit] {
                            return editCharts(session, arguments->files, arguments->output,
                                [&](BmsBms& document, const std::string& file) {
                                    SelectionPage page(document, arguments->kind);
                                    for (int row : indexRows(arguments->indices, page.table())) {
                                        page.select(row);
                                    }
                                    return edit(page, file);
                                });
                        } });
}

void addSwapCommand(CLI::App& app, CliSession& session, CommandList& commands)
{
    auto arguments = std::make_shared<EditArguments>();
    CLI::App* command = addEditCommand(app, "swap", "Exchange two definitions and their references", *arguments);
    addChartArgument(*command, arguments->files);
    // A and B are two arguments in the help, one selection in the end.
    for (const char* name : { "A", "B" }) {
        command->add_option(name)
            ->description("Index to exchange")
            ->required()
            ->type_name("INDEX")
            ->check(indexValidator())
            ->each([arguments](const std::string& index) { arguments->indices.push_back(index); });
    }
    finishEditCommand(*command, session, commands, arguments, [&session](SelectionPage& page, const std::string& file) {
        if (!swapTopTwoSelected(page, session.plan())) {
            session.err() << file << ": nothing swapped: give two different indices from 01 on\n";
            return kUsageErrorStatus;
        }
        return 0;
    });
}

void addMoveCommand(CLI::App& app, CliSession& session, CommandList& commands)
{
    auto arguments = std::make_shared<EditArguments>();
    CLI::App* command
        = addEditCommand(app, "move", "Move definitions one row up or down, with their references", *arguments);
    addChartArgument(*command, arguments->files);
    command
        ->add_option_function<std::string>(
            "DIRECTION",
            [arguments](const std::string& direction) { arguments->up = CLI::detail::to_lower(direction) == "up"; },
            "up (towards 01) or down (towards ZZ, or zz in base 62)")
        ->required()
        ->type_name("")
        ->check(CLI::IsMember({ "up", "down" }, CLI::ignore_case).name("up|down"));
    addIndicesArgument(*command, arguments->indices, "Indices to move");
    finishEditCommand(
        *command, session, commands, arguments, [&session, arguments](SelectionPage& page, const std::string& file) {
            if (!moveSelection(page, session.plan(), arguments->up)) {
                session.err() << file << ": nothing moved: the selection holds 00 or already stands at the "
                              << (arguments->up ? "top" : "bottom") << "; the chart is written unchanged\n";
            }
            return 0;
        });
}

void addRemoveCommand(CLI::App& app, CliSession& session, CommandList& commands)
{
    auto arguments = std::make_shared<EditArguments>();
    CLI::App* command
        = addEditCommand(app, "remove", "Remove definitions (their objects stay in the channel data)", *arguments);
    addChartArgument(*command, arguments->files);
    addIndicesArgument(*command, arguments->indices, "Indices to remove");
    finishEditCommand(*command, session, commands, arguments, [](SelectionPage& page, const std::string&) {
        removeSelected(page);
        return 0;
    });
}

// A command that works on the whole table of its kind, with no rows selected.
void addWholeTableCommand(CLI::App& app, CliSession& session, CommandList& commands, const char* name,
    const char* description, std::function<void(SelectionPage& page)> operation)
{
    auto arguments = std::make_shared<EditArguments>();
    CLI::App* command = addEditCommand(app, name, description, *arguments);
    addManyFiles(*command, *arguments);
    finishEditCommand(*command, session, commands, arguments, [operation](SelectionPage& page, const std::string&) {
        operation(page);
        return 0;
    });
}

void addUnregisterUnusedCommand(CLI::App& app, CliSession& session, CommandList& commands)
{
    addWholeTableCommand(app, session, commands, "unregister-unused",
        "Remove every definition that no channel data refers to",
        [](SelectionPage& page) { unregisterUnreferenced(page); });
}

void addCompactCommand(CLI::App& app, CliSession& session, CommandList& commands)
{
    addWholeTableCommand(app, session, commands, "compact",
        "Renumber the definitions into one run without gaps, with their references",
        [&session](SelectionPage& page) { compactIndices(page, session.plan()); });
}

void addBaseCommand(CLI::App& app, CliSession& session, CommandList& commands)
{
    auto arguments = std::make_shared<EditArguments>();
    auto radix = std::make_shared<int>(IndexBase::kDefaultRadix);
    CLI::App* command = app.add_subcommand(
        "base", "Switch the charts' indices to base 62 (case-sensitive, 3843 definitions) or back to base 36");
    command->add_option("BASE", *radix, "62 or 36")->required()->type_name("")->check(CLI::IsMember({ 36, 62 }));
    addManyFiles(*command, *arguments);
    arguments->output.keepsLayout = true;
    addOutputOptions(*command, arguments->output);
    commands.push_back({ command, [&session, arguments, radix] {
                            return editCharts(session, arguments->files, arguments->output,
                                [&](BmsBms& document, const std::string& file) {
                                    const BaseSwitch result = switchIndexBase(document, *radix);
                                    for (const std::string& refusal : result.refusals)
                                        session.err()
                                            << file << ": not switched to base " << *radix << ": " << refusal << '\n';
                                    return result.refusals.empty() ? 0 : kFailureStatus;
                                });
                        } });
}

} // namespace

void addEditCommands(CLI::App& app, CliSession& session, CommandList& commands)
{
    addSwapCommand(app, session, commands);
    addMoveCommand(app, session, commands);
    addRemoveCommand(app, session, commands);
    addUnregisterUnusedCommand(app, session, commands);
    addCompactCommand(app, session, commands);
    addBaseCommand(app, session, commands);
}
