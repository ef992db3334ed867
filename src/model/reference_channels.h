#pragma once

// Which channels refer to which table. WAV: 01 and 11..6Z except 20, 30, 40, 50, 60.
// BMP: 04, 06, 07, 0A and A5. Objects elsewhere are never counted or renumbered.

#include "model/bms_word.h"
#include "model/definition_kind.h"

bool isWavChannel(BmsWord channel);
bool isBmpChannel(BmsWord channel);
// The test of the kind: isWavChannel for kKindWav, isBmpChannel for kKindBmp.
bool isChannelOfKind(BmsWord channel, DefinitionKind kind);
