#pragma once

// Runs quelmarn-cli in-process, as the shell would start it, and keeps what it printed.

#include <string>
#include <vector>

#include "support/test_support.h"

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

// The arguments after the program name.
CliRun runTool(const std::vector<std::string>& arguments);

// Path of a chart under tests/data/cli.
std::string cliData(const std::string& name);

// A copy of a chart under tests/data/cli in the scratch directory; returns its path.
std::string copyChart(const ScratchDirectory& scratch, const std::string& name);
