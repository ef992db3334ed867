#pragma once

// Which definition table a page, a plan or a step works on: the sound table (#WAVxx)
// or the image table (#BMPxx). The values 1 and 2 are fixed.

#include "model/bms_bms.h"

enum DefinitionKind : int {
    kKindWav = 1,
    kKindBmp = 2,
};

// Both kinds, in the order of the editor's pages.
inline constexpr DefinitionKind kDefinitionKinds[] = { kKindWav, kKindBmp };

// The name as the chart's keys spell it: "WAV" or "BMP".
inline const char* kindName(DefinitionKind kind)
{
    return kind == kKindBmp ? "BMP" : "WAV";
}
// The name in lower case, as the tool takes and prints it: "wav" or "bmp".
inline const char* kindKeyword(DefinitionKind kind)
{
    return kind == kKindBmp ? "bmp" : "wav";
}

inline BmsRegistArray* tableOfKind(BmsBms& document, DefinitionKind kind)
{
    return kind == kKindBmp ? document.bmpTable() : document.wavTable();
}
inline const BmsRegistArray* tableOfKind(const BmsBms& document, DefinitionKind kind)
{
    return kind == kKindBmp ? document.bmpTable() : document.wavTable();
}
