#include "paths/command_line.h"

bool copyFirstArgument(const char* commandLine, char* path, std::size_t size)
{
    if (size == 0)
        return false;
    std::size_t length = 0;
    bool insideQuotes = false;
    for (const char* c = commandLine; *c != '\0'; ++c) {
        if (*c == '"') {
            insideQuotes = !insideQuotes;
            continue;
        }
        if (*c == ' ' && (!insideQuotes || c[1] == '"'))
            break;
        // The terminator needs the last byte; an argument that reaches it is refused,
        // never cut to a different path.
        if (length == size - 1) {
            path[0] = '\0';
            return false;
        }
        path[length++] = *c;
    }
    path[length] = '\0';
    return true;
}
