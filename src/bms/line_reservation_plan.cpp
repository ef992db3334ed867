#include "bms/line_reservation_plan.h"

#include <algorithm>

LineReservationPlan::LineReservationPlan()
{
    lastMeasureOfChannel_.fill(-1);
}

void LineReservationPlan::noteDataLine(int m, BmsWord channel)
{
    auto& last = lastMeasureOfChannel_[channel.value()];
    last = std::max<std::int16_t>(last, static_cast<std::int16_t>(m));
    if (channel.equalsChars('0', '1'))
        ++laneLinesOfMeasure_[m];
}

void LineReservationPlan::finish()
{
    // Measures in ascending order: the last one that reaches a lane is its last measure.
    lastMeasureOfLane_.clear();
    for (int m = 0; m < BmsBms::kMeasureCount; ++m) {
        const int lanes = laneLinesOfMeasure_[m];
        if (static_cast<int>(lastMeasureOfLane_.size()) < lanes)
            lastMeasureOfLane_.resize(static_cast<std::size_t>(lanes));
        std::fill_n(lastMeasureOfLane_.begin(), lanes, m);
    }
}

int LineReservationPlan::lastMeasureOfChannel(BmsWord channel) const
{
    return lastMeasureOfChannel_[channel.value()];
}

int LineReservationPlan::lastMeasureOfLane(int lane) const
{
    return lane < static_cast<int>(lastMeasureOfLane_.size()) ? lastMeasureOfLane_[static_cast<std::size_t>(lane)] : -1;
}
