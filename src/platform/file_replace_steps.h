#pragma once

// The few steps of a file replacement that differ between the systems
// (file_replace_posix.cpp, file_replace_windows.cpp). Every call is the narrow variant:
// the path bytes reach the system unconverted. A failing step leaves the reason in errno.

#include <cstdio>
#include <string>

namespace file_replace_steps {

// The file that writing to path would change: a link is followed where the system has them.
std::string resolvedTarget(const char* path);
// False when the target exists and the user may not write it.
bool targetIsWritable(const char* path);
unsigned long processNumber();
// A new file opened for writing, failing when path exists; -1 on failure.
int createExclusive(const char* path);
FILE* streamFor(int descriptor);
void closeDescriptor(int descriptor);
// Gives the new file the owner and permission bits of the target, where the system has them.
bool adoptTargetPermissions(int descriptor, const char* target);
bool commitToDisk(FILE* stream);
// Moves from over to in one step.
bool moveOver(const char* from, const char* to);

} // namespace file_replace_steps
