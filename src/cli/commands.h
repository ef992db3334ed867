#pragma once

// The tool's commands. Each adds its subcommand to the parser and what runs once the
// command line chose it; the run returns the exit status.

#include <CLI/CLI.hpp>
#include <functional>
#include <vector>

#include "cli/cli_session.h"
#include "cli/exit_status.h"

struct Command {
    CLI::App* parser;
    std::function<int()> run;
};
using CommandList = std::vector<Command>;

void addCheckCommand(CLI::App& app, CliSession& session, CommandList& commands);
void addNormalizeCommand(CLI::App& app, CliSession& session, CommandList& commands);
void addEditCommands(CLI::App& app, CliSession& session, CommandList& commands);
void addRegisterCommand(CLI::App& app, CliSession& session, CommandList& commands);
void addListCommand(CLI::App& app, CliSession& session, CommandList& commands);
void addMissingCommand(CLI::App& app, CliSession& session, CommandList& commands);
void addFilesCommand(CLI::App& app, CliSession& session, CommandList& commands);
