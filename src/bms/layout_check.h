#pragma once

// Finds what the normalised layout cannot keep: #RANDOM/#IF control flow, which the
// reader flattens into plain headers and merged data, and #BASE 62 charts, whose
// case-sensitive indices are upper-cased. Saving such a chart changes what it plays.

#include <string>

#include "model/bms_bms.h"

// The first such construct as the chart spells it (for example "#RANDOM" or
// "#BASE 62"), or an empty text when the chart can be saved as it is.
std::string findUnkeepableConstruct(const BmsBms& document);
