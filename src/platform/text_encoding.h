#pragma once

// Text conversion at the tool's edge. Chart texts and the program's own messages are
// code page 932 bytes; a Linux terminal and every JSON document want UTF-8, while a
// Windows console shows the ANSI code page as it is. Nothing inside the core converts.

#include <optional>
#include <string>
#include <string_view>

// CP932 bytes as UTF-8. A byte that starts no valid CP932 character becomes U+FFFD, so
// the result is always valid UTF-8.
std::string cp932ToUtf8(std::string_view text);

// UTF-8 as CP932 bytes; nothing when the text is not valid UTF-8 or holds a character
// that CP932 lacks.
std::optional<std::string> utf8ToCp932(std::string_view text);

bool isValidUtf8(std::string_view text);

// A chart text or a message of the program as the console shows it: UTF-8 on Linux,
// unchanged on Windows.
std::string cp932ForConsole(std::string_view text);

// A text from the system (an argument, a name in a directory) as UTF-8, for JSON. On
// Linux such names are UTF-8 already, unless a file was named in raw CP932; on Windows
// they are in the ANSI code page.
std::string systemTextToUtf8(std::string_view text);

// A name from a directory listing as the console shows it.
std::string systemTextForConsole(std::string_view text);

// An argument path as the CP932 bytes a chart stores; nothing when it cannot be
// converted. Windows hands the program its arguments in the ANSI code page already.
std::optional<std::string> systemTextToCp932(std::string_view text);
