#include <iostream>
#include <stdio.h>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#define isatty _isatty
#else
#include <unistd.h>
#endif
#ifdef __GLIBC__
#include <malloc.h>
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

#ifdef __GLIBC__
// A chart's text and object storage are blocks of hundreds of kilobytes to megabytes,
// which glibc maps and unmaps one by one; unmapping flushes the TLB of every processor
// that runs the tool's threads, which costs more than reading a small chart. Kept in
// the heap instead, a freed block serves the next chart and goes back only at exit.
// 32 MB is the largest threshold that a 64-bit glibc takes (a 32-bit one keeps its own).
constexpr int kLargestHeapBlock = 32 << 20;
#endif

int main(int argc, char** argv)
{
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
    mallopt(M_TRIM_THRESHOLD, kLargestHeapBlock);
#endif
#ifdef _WIN32
    // Charts go to standard output byte for byte, CR LF included.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    return runCli(argc, argv, std::cout, std::cerr, isatty(fileno(stderr)) != 0);
}
