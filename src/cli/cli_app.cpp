#include "cli/cli_app.h"

#include <CLI/CLI.hpp>
#include <exception>

#include "cli/commands.h"
#include "model/object_storage.h"

namespace {

void addCommands(CLI::App& app, CliSession& session, CommandList& commands)
{
    addCheckCommand(app, session, commands);
    addNormalizeCommand(app, session, commands);
    addEditCommands(app, session, commands);
    addRegisterCommand(app, session, commands);
    addListCommand(app, session, commands);
    addMissingCommand(app, session, commands);
    addFilesCommand(app, session, commands);
}

int runChosen(const CommandList& commands)
{
    for (const Command& command : commands) {
        if (command.parser->parsed()) {
            return command.run();
        }
    }
    return kUsageErrorStatus;
}

} // namespace

int runCli(int argc, char** argv, std::ostream& out, std::ostream& err, bool errorIsTerminal)
{
    // The editing commands read their charts one after another on this thread.
    const SpareObjectBlocks spareBlocks;
    CliSession session(out, err, errorIsTerminal);
    CLI::App app("Checks and tidies the definition lists of BMS charts.", "quelmarn-cli");
    app.set_version_flag("--version", "quelmarn-cli " QUELMARN_VERSION);
    app.require_subcommand(1);
    // "/pictures/a.png" is a path on every platform, never an option.
    app.allow_windows_style_options(false);
    app.footer("Exit status: 0 when all went well, 1 when any file failed, 2 for a usage error.");
    CommandList commands;
    addCommands(app, session, commands);
    try {
        app.parse(argc, argv);
        return runChosen(commands);
    } catch (const CLI::Success& request) {
        return app.exit(request, out, err);
    } catch (const CLI::ParseError& error) {
        // The help of the command that was chosen, or of the whole tool.
        err << "quelmarn-cli: " << error.what() << "\n\n" << app.help();
        return kUsageErrorStatus;
    } catch (const std::exception& error) {
        err << "quelmarn-cli: " << error.what() << '\n';
        return kFailureStatus;
    }
}
