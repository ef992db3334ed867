#include "bms/storage_budget.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "model/bms_word.h"

namespace {

bool takeWithin(std::int64_t& used, std::int64_t positions, std::int64_t limit)
{
    if (positions > limit - used)
        return false;
    used += positions;
    return true;
}

} // namespace

StorageBudget::StorageBudget(std::size_t bytes)
    : limit_(static_cast<std::int64_t>(
        std::min<std::uint64_t>(bytes / sizeof(BmsWord), std::numeric_limits<std::int64_t>::max())))
{
}

bool StorageBudget::takeCapacity(std::int64_t positions)
{
    return takeWithin(capacity_, positions, limit_);
}

bool StorageBudget::takeReservation(std::int64_t positions)
{
    return takeWithin(reserved_, positions, limit_);
}
