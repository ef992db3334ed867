#pragma once

// The editor takes one chart path from its command line. Plain string work, so it
// builds and is tested on every platform.

#include <cstddef>

// Copies the first argument of commandLine into path (size bytes, terminator included).
// A double quote switches between outside and inside quotes and is dropped; outside
// quotes a blank ends the argument, and so does a blank that a closing quote follows
// directly. An argument of size characters or more does not fit with its terminator:
// then path is left empty and the result is false.
bool copyFirstArgument(const char* commandLine, char* path, std::size_t size);
