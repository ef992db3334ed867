#pragma once

// Switching a chart between base 36 and base 62. Into base 62 every index keeps its
// base-36 meaning: the model already holds it in upper case, the header references
// are upper-cased, and both saves then write the indices so and "#BASE 62" before the
// definitions. Back to base 36 only while no index with a lower-case letter is in use
// and no header key ends in one (#BPMaa), which base 36 cannot write.

#include <string>
#include <vector>

#include "model/bms_bms.h"

struct BaseSwitch {
    bool switched = false;
    // Why nothing changed, one text per reason, empty when switched or already there.
    std::vector<std::string> refusals;
};

// Sets the chart's base to radix (36 or 62), or says why it cannot.
BaseSwitch switchIndexBase(BmsBms& document, int radix);
