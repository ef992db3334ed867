#include "model/helpers.h"

#include <cstring>

#include "model/ascii_chars.h"

int greatestCommonDivisor(int a, int b)
{
    if (a == 0 || b == 0)
        return 0;
    // Euclid's algorithm: the same result as repeated subtraction, in logarithmic time.
    while (b != 0) {
        int rest = a % b;
        a = b;
        b = rest;
    }
    return a;
}

void upperCaseInPlace(char* text)
{
    for (; *text; ++text)
        *text = asciiUpperCase(*text);
}

std::string upperCased(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        c = asciiUpperCase(c);
    return upper;
}

std::unique_ptr<char[]> duplicateText(const char* text, bool upperCase)
{
    if (!text)
        return nullptr;
    size_t size = std::strlen(text) + 1;
    auto copy = std::make_unique_for_overwrite<char[]>(size);
    std::memcpy(copy.get(), text, size);
    if (upperCase)
        upperCaseInPlace(copy.get());
    return copy;
}
