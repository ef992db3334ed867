#pragma once

// Small helpers shared by the whole chart model.

#include <memory>

// 0 when a or b is 0; otherwise the greatest common divisor of a and b (a, b >= 0).
int greatestCommonDivisor(int a, int b);

// Case folding and character classes are ASCII only: bytes from 0x80 up are never
// letters or digits, whatever the locale.
constexpr char asciiUpperCase(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
constexpr bool isAsciiAlphanumeric(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// ASCII upper-casing in place: only 'a'..'z' change; double-byte characters are not
// recognised as such.
void upperCaseInPlace(char* text);

// A heap copy of text with its terminator, upper-cased when asked; null for null.
std::unique_ptr<char[]> duplicateText(const char* text, bool upperCase);

// The shared empty text that getters lend for an absent text.
inline const char* textOrEmpty(const char* text)
{
    return text ? text : "";
}
