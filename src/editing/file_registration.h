#pragma once

// Registers file names into the free slots of a page, from the caret row on, the way
// files dropped on a list page are registered.

#include <string>
#include <vector>

#include "editing/definition_page.h"

struct FileRegistration {
    // The row selected afterwards.
    int lastRow = 0;
    // Names that found no free slot before the last row, in the order given.
    std::vector<std::string> withoutSlot;
    // Names the table already held, or that came before in the list (ASCII case
    // ignored), which were not registered again.
    std::vector<std::string> alreadyRegistered;
    // Rows passed over because the channel data uses them without a definition: a name
    // there would give silent objects a sound.
    int passedOverUsed = 0;
};

// Fills the first free slot at or after the caret row with each bare file name in turn
// (refreshing its row); a slot that an image part's header (#BGAxx) defines, or that the
// chart uses without defining it, is not free.
// A WAV page never fills row 00, which no object can refer to: a
// caret there starts at 01. Each name is registered once: one the table already holds
// is left out. Selects the last slot filled, or the last row when the table ran full. With
// no names nothing changes and the caret row is selected.
FileRegistration registerFileNames(DefinitionPage& page, const std::vector<std::string>& names);
