#pragma once

// Which channels refer to which table. WAV: 01 and 11..6Z except 20, 30, 40, 50, 60.
// BMP: 04, 06, 07, 0A and A5. Objects elsewhere are never counted or renumbered;
// those of 08 and 09 name the #BPMxx and #STOPxx headers.

#include "model/bms_word.h"
#include "model/definition_kind.h"

bool isWavChannel(BmsWord channel);
bool isBmpChannel(BmsWord channel);
// The test of the kind: isWavChannel for kKindWav, isBmpChannel for kKindBmp.
bool isChannelOfKind(BmsWord channel, DefinitionKind kind);
// Whether the channel's objects name indexed header keys (08: #BPMxx, 09: #STOPxx).
bool namesHeaderKeys(BmsWord channel);
