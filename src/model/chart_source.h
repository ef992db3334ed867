#pragma once

// What the text a chart was read from says beyond its model. The reader records it once
// and it never changes; edits are described against it (chart_edit_state.h), so that a
// save can keep the text and usage can count what the model could not hold.

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "model/bms_word.h"
#include "model/definition_kind.h"
#include "model/index_base.h"

// A line whose meaning the normalised layout would change or lose.
struct SourceFinding {
    enum class Kind {
        ControlFlow, // #RANDOM, #IF and the like: the model flattens their branches
        UnkeptBase, // #BASE other than 36 and 62: read as base 36, which players may not do
        ConflictingBase, // a #BASE whose value differs from an earlier one: the last one counts
        OffGridObjects, // a data line with an object that falls between ticks or is dropped
        InexactLength, // a measure length that is not a whole number of ticks
        OddLength, // a data line with a stray last character, which players ignore
    };
    Kind kind;
    int line; // counted from 1
    std::string spelled; // the line's start as the chart spells it: "#RANDOM", "#00111", "#00102:0.1"
};

// A line of the text that a layout-keeping save may edit, where the reader found it: a
// header line (with or without a value) or a data line of a WAV or BMP channel or of a
// channel whose objects name header keys (namesHeaderKeys). Offsets count bytes of the
// text; carriage returns may stand anywhere between the characters. A chart holds tens of
// thousands of these, so a line keeps only what every kind needs, and what the ends of
// its text tell is read from there.
struct SourceLine {
    enum class Kind : std::uint8_t { Header, Data };

    std::uint32_t begin; // the line's first byte
    std::uint32_t contentEnd; // its line break, or the end of the input
    // A header's first key character after "#" ("@" of "#@BGA"); a data line's first object.
    std::uint32_t keyAt;
    BmsWord channel; // of a data line
    Kind kind;

    // Whether the line ends with a line break (the last line of a text need not).
    bool hasBreak(std::string_view text) const { return contentEnd < text.size() && text[contentEnd] == '\n'; }
    // After its line break.
    std::uint32_t end(std::string_view text) const { return contentEnd + (hasBreak(text) ? 1 : 0); }
};

// A header line's key and value as the reader took them, one for each header line of the
// source's lines, in the same order.
struct SourceHeader {
    static constexpr std::uint32_t kNoValue = UINT32_MAX;

    std::string key; // as the header table spells it (headerTableKey)
    // Without carriage returns, up to a NUL; empty for a dropped key. A view of the
    // source's text, or of its respelledValues where carriage returns stand inside.
    std::string_view value;
    // The value's first character in the text, or kNoValue for a key the reader drops.
    std::uint32_t valueAt;
};

struct ChartSource {
    using Counts = std::array<int, BmsWord::kValueCount>;

    ChartSource() = default;
    // The headers' values view the text.
    ChartSource(const ChartSource&) = delete;
    ChartSource& operator=(const ChartSource&) = delete;

    std::string text;
    // The base the text's indices were read in.
    IndexBase base;
    // How often each index of the text occurs as a reference: every object other than
    // "00" of every data line of a channel of the kind, whether the tick grid could place
    // it or a later line overrides it, and the header references (#LNOBJ for WAV, the yy
    // of #BGAxx yy for BMP).
    PerKind<Counts> references {};
    // In line order: the first control-flow line, the first #BASE other than 36 and 62,
    // the first #BASE that differs from an earlier one, every off-grid data line and
    // every inexact measure length.
    std::vector<SourceFinding> findings;
    // In line order: every header line and every data line of a WAV or BMP channel, and
    // the keys and values of the header lines.
    std::vector<SourceLine> lines;
    std::vector<SourceHeader> headers;
    // The values that the text does not spell in one piece; a deque, so that the views
    // of the headers stay valid as it grows.
    std::deque<std::string> respelledValues;
};
