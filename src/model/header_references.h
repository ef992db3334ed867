#pragma once

// Header lines that name indices. #LNOBJ xx names the WAV index whose objects end long
// notes. #BGAxx yy x1 y1 x2 y2 dx dy (and #@BGAxx yy ...) defines the image part xx, an
// index in the BMP table's number space that the BMP channels refer to, cut from the
// BMP image yy. Keys are matched in any letter case.

#include <cstddef>
#include <string_view>

#include "model/definition_kind.h"

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
