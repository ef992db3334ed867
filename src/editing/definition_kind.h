#pragma once

// Which definition table a page or a plan works on. Every test asks whether the kind
// is BMP: any other value is treated as WAV.

#include "model/bms_bms.h"

enum DefinitionKind : int {
    kKindWav = 1,
    kKindBmp = 2,
};

inline BmsRegistArray* tableOfKind(BmsBms& document, int kind)
{
    return kind == kKindBmp ? document.bmpTable() : document.wavTable();
}
inline const BmsRegistArray* tableOfKind(const BmsBms& document, int kind)
{
    return kind == kKindBmp ? document.bmpTable() : document.wavTable();
}
