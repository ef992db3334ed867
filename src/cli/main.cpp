#include <iostream>
#include <stdio.h>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#define isatty _isatty
#else
#include <unistd.h>
#endif

#include "cli/cli_app.h"

#ifdef _WIN32
// The Windows console hands "*.bms" over as it is; like other Windows command-line
// tools, the tool has the C runtime expand "*" and "?" in unquoted arguments before
// main (names in the ANSI code page, double-byte ones included).
extern "C" {
int _dowildcard = -1;
}
#endif

int main(int argc, char** argv)
{
#ifdef _WIN32
    // Charts go to standard output byte for byte, CR LF included.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    return runCli(argc, argv, std::cout, std::cerr, isatty(fileno(stderr)) != 0);
}
