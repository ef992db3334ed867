#pragma once

// The whole tool behind main(): parses the command line, runs the chosen command and
// returns the exit status (0 all good, 1 something failed, 2 usage error). Everything
// it prints goes to out and err, so that tests can run it in-process; errorIsTerminal
// says whether err is a terminal, where long runs show their progress.

#include <ostream>

int runCli(int argc, char** argv, std::ostream& out, std::ostream& err, bool errorIsTerminal = false);
