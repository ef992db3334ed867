#pragma once

// Finds what the normalised layout cannot keep: #RANDOM/#IF control flow, which the
// reader flattens into plain headers and merged data, and #BASE 62 charts, whose
// case-sensitive indices are upper-cased. Saving such a chart changes what it plays.

#include <string>
#include <string_view>

#include "model/bms_bms.h"

// Looked for: a header RANDOM, SETRANDOM, IF, ELSEIF, ELSE, ENDIF, ENDRANDOM, SWITCH,
// SETSWITCH, CASE, DEF, SKIP or ENDSW, in that order, then a header BASE whose value,
// blanks trimmed, is not 36. Channel data is not looked at: the reader has merged it.
//
// The first such construct as the chart spells it (for example "#RANDOM" or
// "#BASE 62"), or an empty text when the chart can be saved as it is.
std::string findUnkeepableConstruct(const BmsBms& document);

// The first control-flow construct alone, as above; empty when there is none.
std::string findControlFlowConstruct(const BmsBms& document);
// The #BASE header as above when its base is not 36; empty otherwise.
std::string findUnkeptBase(const BmsBms& document);

// How many #WAV and #BMP lines of a chart's bytes define an index that another of them
// spells with other letter cases ("Aa", "AA" and "aA" make three): the definitions a
// chart of base 62 tells apart and the upper-cased model folds into one.
int countCaseSharedDefinitions(std::string_view chartBytes);
