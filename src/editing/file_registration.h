#pragma once

// Registers file names into the free slots of a page, from the caret row on, the way
// files dropped on a list page are registered.

#include <string>
#include <vector>

#include "editing/definition_page.h"

// Fills the first free slot at or after the caret row with each bare file name in turn
// (refreshing its row); a slot that an image part's header (#BGAxx) defines is not free.
// Names that find no slot before ZZ are ignored. Selects the last
// slot filled, or row 1295 when the table ran full, and returns that row. With no
// names nothing changes and the caret row is selected.
int registerFileNames(DefinitionPage& page, const std::vector<std::string>& names);
