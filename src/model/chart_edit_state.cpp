#include "model/chart_edit_state.h"

#include <utility>

IndexMapping::IndexMapping()
{
    for (int value = 0; value < BmsWord::kValueCount; ++value)
        currentOf_[value] = static_cast<std::uint16_t>(value);
}

bool IndexMapping::isIdentity() const
{
    return *this == IndexMapping();
}

void IndexMapping::renumber(const std::array<BmsWord, BmsWord::kValueCount>& renumbered)
{
    for (std::uint16_t& current : currentOf_)
        current = static_cast<std::uint16_t>(renumbered[current].value());
}

std::array<std::uint16_t, BmsWord::kValueCount> IndexMapping::inverse() const
{
    std::array<std::uint16_t, BmsWord::kValueCount> originalOf {};
    for (int original = 0; original < BmsWord::kValueCount; ++original)
        originalOf[currentOf_[original]] = static_cast<std::uint16_t>(original);
    return originalOf;
}

ChartEditState::ChartEditState(std::shared_ptr<const ChartSource> source)
    : source_(std::move(source))
{
}
