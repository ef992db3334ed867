#pragma once

// The definition editing operations on a page. Each carries every change of an index
// through the channel data of the page's kind, so the chart still plays the same
// sounds and shows the same images, and refreshes and reselects the affected rows.

#include <array>

#include "editing/definition_page.h"
#include "editing/list_exchanger.h"

using UsageFlags = std::array<bool, BmsWord::kValueCount>;

// Flags every index that the chart refers to: by an object in a channel of the page's
// kind, anywhere in its text, or by a header line (index_usage.h).
void markUsed(DefinitionPage& page, UsageFlags& used);

// Exchanges the two lowest selected rows but 00 and their references; false when
// fewer than two such rows are selected.
bool swapTopTwoSelected(DefinitionPage& page, ListExchanger& plan);
// Moves every run of selected rows one row up (towards 01) or down (towards the last row).
// Nothing moves when row 00 or the row at the end it would pass is selected; returns
// whether anything moved.
bool moveSelection(DefinitionPage& page, ListExchanger& plan, bool up);
// Removes the selected definitions (row 00 included); channel data is not touched.
void removeSelected(DefinitionPage& page);
// Removes every definition but 00's that no channel data of the kind uses.
void unregisterUnreferenced(DefinitionPage& page);
// From the first row that is neither used nor registered (by a file name or an image
// part's header) on, renumbers every occupied row into one run without gaps.
void compactIndices(DefinitionPage& page, ListExchanger& plan);
