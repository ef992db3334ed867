#pragma once

// Saves into memory instead of a file, so that the core's save path is tested without
// the platform's file replacement.

#include <string>
#include <string_view>

#include "bms/chart_save.h"

namespace memory_save {

// The bytes of the last save into memory.
const std::string& lastBytes();
// A FileWriter that keeps the bytes, or fails (with nothing kept) while failing is set.
bool write(const char* path, std::string_view bytes);
void setFailing(bool failing);

} // namespace memory_save

// saveChartFile into memory, whatever the layout would lose.
SaveOutcome saveToMemory(BmsBms& document, SaveLayout layout);
