#include "bms/memory_save.h"

#include <cerrno>

namespace {

std::string saved;
bool failing = false;

} // namespace

namespace memory_save {

const std::string& lastBytes()
{
    return saved;
}

bool write(const char*, std::string_view bytes)
{
    if (failing) {
        errno = ENOSPC;
        return false;
    }
    saved = bytes;
    return true;
}

void setFailing(bool fail)
{
    failing = fail;
}

} // namespace memory_save

SaveOutcome saveToMemory(BmsBms& document, SaveLayout layout)
{
    return saveChartFile(
        "memory", document, layout, [](const auto&) { return true; }, memory_save::write);
}
