#pragma once

// The conversion that text_encoding.cpp leaves to the system's own file
// (text_encoding_posix.cpp, text_encoding_windows.cpp).

#include <string>
#include <string_view>

// CP932 bytes that are not all ASCII as UTF-8, with U+FFFD for a byte that starts no
// valid character.
std::string convertedCp932ToUtf8(std::string_view text);
