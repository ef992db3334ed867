#pragma once

// The whole tool behind main(): parses the command line, runs the chosen command and
// returns the exit status (0 all good, 1 something failed, 2 usage error). Everything
// it prints goes to out and err, so that tests can run it in-process.

#include <ostream>

int runCli(int argc, char** argv, std::ostream& out, std::ostream& err);
