#include "bms/storage_budget.h"

StorageBudget::StorageBudget(std::size_t bytes)
    : left_(bytes)
{
}

bool StorageBudget::takeLine()
{
    return take(kLineBytes);
}

bool StorageBudget::takeObjects(std::size_t count)
{
    return count <= left_ / kObjectBytes && take(count * kObjectBytes);
}

bool StorageBudget::take(std::size_t bytes)
{
    if (bytes > left_)
        return false;
    left_ -= bytes;
    return true;
}
