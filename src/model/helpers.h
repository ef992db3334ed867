#pragma once

// Small helpers shared by the whole chart model.

#include <memory>
#include <string>
#include <string_view>

// 0 when a or b is 0; otherwise the greatest common divisor of a and b (a, b >= 0).
int greatestCommonDivisor(int a, int b);

// ASCII upper-casing in place: only 'a'..'z' change; double-byte characters are not
// recognised as such.
void upperCaseInPlace(char* text);
// The same folding over a copy of every byte of text, NUL bytes included.
std::string upperCased(std::string_view text);

// A heap copy of text with its terminator, upper-cased when asked; null for null.
std::unique_ptr<char[]> duplicateText(const char* text, bool upperCase);

// The shared empty text that getters lend for an absent text.
inline const char* textOrEmpty(const char* text)
{
    return text ? text : "";
}
