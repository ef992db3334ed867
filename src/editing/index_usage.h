#pragma once

// How the indices of one kind are used and held. A chart read from text counts every
// occurrence in that text, followed through the renumberings since; a chart with no
// text of its own counts what its model holds.

#include <array>
#include <bitset>

#include "model/bms_bms.h"
#include "model/definition_kind.h"

using ReferenceCounts = std::array<int, BmsWord::kValueCount>;
using IndexSet = std::bitset<BmsWord::kValueCount>;

// How often each current index is referred to: by objects of the kind's channels and by
// header lines (#LNOBJ for WAV; the image of #BGAxx yy and #@BGAxx yy for BMP).
ReferenceCounts countReferences(BmsBms& document, DefinitionKind kind);

// The indices that #BGAxx or #@BGAxx lines define as image parts: for BMP they hold their
// slot like a file name does. Empty for WAV.
IndexSet indicesDefinedByHeaders(const BmsBms& document, DefinitionKind kind);
