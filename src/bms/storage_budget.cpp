#include "bms/storage_budget.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "model/bms_buffer.h"
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

std::int64_t StorageBudget::capacityHolding(std::int64_t capacity, std::int64_t position)
{
    if (position < capacity)
        return capacity;
    const std::int64_t steps = (position - capacity) / BmsBuffer::kGrowthStep + 1;
    return capacity + steps * BmsBuffer::kGrowthStep;
}

bool StorageBudget::takeCapacity(std::int64_t positions)
{
    return takeWithin(capacity_, positions, limit_);
}

bool StorageBudget::takeReservation(std::int64_t positions)
{
    return takeWithin(reserved_, positions, limit_);
}
