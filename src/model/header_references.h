#pragma once

// Header lines that name indices. #LNOBJ xx names the WAV index whose objects end long
// notes. #BGAxx yy x1 y1 x2 y2 dx dy (and #@BGAxx yy ...) defines the image part xx, an
// index in the BMP table's number space that the BMP channels refer to, cut from the
// BMP image yy. Keys are matched in any letter case. Some keys end in an index of their
// own: besides the image parts, #BPMxx and #STOPxx, the tempos and stops that channels
// 08 and 09 name.

#include <cstddef>
#include <string>
#include <string_view>

#include "model/definition_kind.h"
#include "model/index_base.h"

struct HeaderIndexReferences {
    static constexpr std::size_t kNone = std::string_view::npos;

    // Offset in the key of the BMP index that the line defines (#BGAxx), or kNone.
    std::size_t definedBmpIndexAt = kNone;
    // Whether the value's first two characters are an index of the WAV or BMP table.
    PerKind<bool> valueNamesIndex {};

    bool any() const { return definedBmpIndexAt != kNone || valueNamesIndex.wav || valueNamesIndex.bmp; }
};

// What a header line with this key and value refers to. A value names an index when it
// starts with two alphanumerics that a blank or its end follows.
HeaderIndexReferences headerIndexReferences(std::string_view key, std::string_view value);

// The offset of the index that ends an indexed key (BGAxx, @BGAxx, BPMxx, STOPxx,
// EXBPMxx, TEXTxx and the others that define something for an index; the command word
// in any case), or kNone for every other key.
std::size_t keyIndexAt(std::string_view key);

// How the header table spells a key: in upper case, except that in a base-62 chart the
// index of an indexed key keeps its case, so that #BGAaa and #BGAAA stay two keys.
std::string headerTableKey(std::string_view key, IndexBase base);
