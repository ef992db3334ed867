#pragma once

// A save's text as the tool gets it, in small chunks, to be compared with the text made
// whole: a writer that changes bytes after they went on shows as a difference.

#include <string>

#include "bms/save_layout.h"
#include "model/bms_bms.h"

// The pieces joined, each checked to be a whole chunk of chunkSize bytes but the last.
std::string savedInChunks(const BmsBms& document, SaveLayout layout, std::size_t chunkSize);
