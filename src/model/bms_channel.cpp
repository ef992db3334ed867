#include "model/bms_channel.h"

BmsChannel::BmsChannel(BmsWord channel)
    : BmsBuffer(kGrowthStep)
    , channel_(channel)
{
}

BmsChannel::~BmsChannel()
{
    // A hostile chart can stack a hundred thousand lanes: unlink each lane from the
    // chain before it is destroyed, so destruction never recurses down the chain.
    std::unique_ptr<BmsChannel> lane = std::move(child_);
    while (lane)
        lane = std::move(lane->child_);
}

bool BmsChannel::setChild(std::unique_ptr<BmsChannel>& line)
{
    if (!line || !line->channel_.equals(channel_))
        return false;
    child_.swap(line);
    return true;
}
