#pragma once

// The question asked before a save that would change what a chart plays: one line per
// finding (at most a few, then how many more), in the program's code page 932 texts.

#include <string>
#include <vector>

#include "bms/layout_check.h"
#include "model/chart_source.h"

// The findings of the chart and the lines the save does not write, in line order; not both
// empty. mentionLayoutOption adds that keeping the chart's layout when saving would keep
// them.
std::string saveQuestionText(
    const std::vector<SourceFinding>& findings, const std::vector<UnwrittenLine>& unwritten, bool mentionLayoutOption);
