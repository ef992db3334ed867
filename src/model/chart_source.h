#pragma once

// What the text a chart was read from says beyond its model. The reader records it once
// and it never changes; edits are described against it (chart_edit_state.h), so that a
// save can keep the text and usage can count what the model could not hold.

#include <array>
#include <string>
#include <vector>

#include "model/bms_word.h"
#include "model/definition_kind.h"

// A line whose meaning the normalised layout would change or lose.
struct SourceFinding {
    enum class Kind {
        ControlFlow, // #RANDOM, #IF and the like: the model flattens their branches
        UnkeptBase, // #BASE other than 36: indices are case-sensitive, the model folds case
        OffGridObjects, // a data line with an object that falls between ticks or is dropped
        InexactLength, // a measure length that is not a whole number of ticks
    };
    Kind kind;
    int line; // counted from 1
    std::string spelled; // the line's start as the chart spells it: "#RANDOM", "#00111", "#00102:0.1"
};

struct ChartSource {
    using Counts = std::array<int, BmsWord::kValueCount>;

    std::string text;
    // How often each index of the text occurs as a reference: every object other than
    // "00" of every data line of a channel of the kind, whether the tick grid could place
    // it or a later line overrides it, and the header references (#LNOBJ for WAV, the yy
    // of #BGAxx yy for BMP).
    PerKind<Counts> references {};
    // In line order: the first control-flow line, the first #BASE other than 36, every
    // off-grid data line and every inexact measure length.
    std::vector<SourceFinding> findings;
};
