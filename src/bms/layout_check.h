#pragma once

// Finds what the normalised layout cannot keep: #RANDOM/#IF control flow, which the
// reader flattens into plain headers and merged data; #BASE 62 charts, whose
// case-sensitive indices are upper-cased; data lines with objects that do not fall on a
// tick; measure lengths that are no whole number of ticks. Saving such a chart in the
// normalised layout changes what it plays.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bms/save_layout.h"
#include "model/bms_bms.h"

// Whether the upper-cased key is a word of #RANDOM, #SWITCH or their branches.
bool isControlFlowKey(std::string_view upperKey);

// The finding that a header line (key as written, value) makes: a control-flow word
// (RANDOM, SETRANDOM, IF, ELSEIF, ELSE, ENDIF, ENDRANDOM, SWITCH, SETSWITCH, CASE, DEF,
// SKIP or ENDSW) or a BASE whose value, blanks trimmed, is not 36.
std::optional<SourceFinding> findingOfHeader(std::string_view key, std::string_view value, int line);

// Everything the normalised save would change, in line order, as the reader found it in
// the chart's text. A chart with no text of its own is judged by its headers (line 0):
// the most telling control-flow word first, then the base.
std::vector<SourceFinding> findUnkeepableConstructs(const BmsBms& document);

// The findings that a save in the layout cannot keep: all for the normalised layout; only
// the base for the chart's own text, since the model folds the case of every index.
std::vector<SourceFinding> findingsLostBy(const BmsBms& document, SaveLayout layout);

// A line of a chart's text that the normalised layout does not write at all.
struct UnwrittenLine {
    int line; // counted from 1
    std::string text; // the line without its line end
};

// The lines of a chart's bytes that carry text and that the reader keeps nothing of: those
// whose first non-blank character is not "#" (comments and other notes), and header keys
// without a value. Blank lines are not counted: the normalised layout has its own.
std::vector<UnwrittenLine> findUnwrittenLines(std::string_view chartBytes);

// How many #WAV and #BMP lines of a chart's bytes define an index that another of them
// spells with other letter cases ("Aa", "AA" and "aA" make three): the definitions a
// chart of base 62 tells apart and the upper-cased model folds into one.
int countCaseSharedDefinitions(std::string_view chartBytes);
