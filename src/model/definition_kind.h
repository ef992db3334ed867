#pragma once

// Which definition table a page, a plan or a step works on: the sound table (#WAVxx)
// or the image table (#BMPxx). The values 1 and 2 are fixed.

enum DefinitionKind : int {
    kKindWav = 1,
    kKindBmp = 2,
};

// Both kinds, in the order of the editor's pages.
inline constexpr DefinitionKind kDefinitionKinds[] = { kKindWav, kKindBmp };

// One value for each kind, chosen by kind: what would otherwise be a pair of fields
// with a test of the kind at every use.
template <typename T> struct PerKind {
    T wav {};
    T bmp {};

    T& operator[](DefinitionKind kind) { return kind == kKindBmp ? bmp : wav; }
    const T& operator[](DefinitionKind kind) const { return kind == kKindBmp ? bmp : wav; }
    bool operator==(const PerKind&) const = default;
};

// The name as the chart's keys spell it: "WAV" or "BMP".
inline const char* kindName(DefinitionKind kind)
{
    constexpr PerKind<const char*> kNames { "WAV", "BMP" };
    return kNames[kind];
}
// The name in lower case, as the tool takes and prints it: "wav" or "bmp".
inline const char* kindKeyword(DefinitionKind kind)
{
    constexpr PerKind<const char*> kKeywords { "wav", "bmp" };
    return kKeywords[kind];
}
