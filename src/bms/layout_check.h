#pragma once

// Finds what the normalised layout cannot keep: #RANDOM/#IF control flow, which the
// reader flattens into plain headers and merged data; a #BASE other than 36 and 62,
// read as base 36; data lines with objects that do not fall on a tick; measure lengths
// that are no whole number of ticks. Saving such a chart in the normalised layout changes
// what it plays. Two #BASE lines that disagree are found too, for check to warn about.

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
// SKIP or ENDSW) or a BASE whose value, blanks trimmed, is neither 36 nor 62.
std::optional<SourceFinding> findingOfHeader(std::string_view key, std::string_view value, int line);

// The base that a #BASE line's value sets: 62 for "62" (blanks trimmed), else 36.
IndexBase indexBaseOfValue(std::string_view value);
// The value of a #BASE line, blanks trimmed.
std::string_view baseValueText(std::string_view value);

// Everything the normalised save would change, in line order, as the reader found it in
// the chart's text. A chart with no text of its own is judged by its headers (line 0):
// the most telling control-flow word first, then the base.
std::vector<SourceFinding> findUnkeepableConstructs(const BmsBms& document);

// The findings that a save in the layout cannot keep: none for the chart's own text; for
// the normalised layout all but disagreeing #BASE lines, as it writes the one that counts.
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
// spells with other letter cases ("Aa", "AA" and "aA" make three): in base 36 one
// definition written twice, which base 62 would tell apart.
int countCaseSharedDefinitions(std::string_view chartBytes);
