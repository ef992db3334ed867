#pragma once

// Character classes and case folding of chart texts. They are ASCII only: bytes from
// 0x80 up are never letters, digits or blanks, whatever the C locale says, so a
// Shift-JIS second byte is never taken for part of an index or a number.

constexpr bool isAsciiDigit(int c)
{
    return c >= '0' && c <= '9';
}
constexpr bool isAsciiLetter(int c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
// A digit of a base-36 index in either case.
constexpr bool isAsciiAlphanumeric(int c)
{
    return isAsciiDigit(c) || isAsciiLetter(c);
}
// The blanks that separate a key from its value.
constexpr bool isAsciiBlank(int c)
{
    return c == ' ' || c == '\t';
}
constexpr char asciiUpperCase(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
