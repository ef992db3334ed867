#pragma once

// One line of channel data spanning the whole chart. Only channel 01 stacks further
// lines of the same channel below it (its lanes), as an owned child chain.

#include <memory>

#include "model/bms_buffer.h"

class BmsChannel : public BmsBuffer {
public:
    explicit BmsChannel(BmsWord channel);
    ~BmsChannel();

    BmsWord channel() const { return channel_; }
    void setChannel(BmsWord channel) { channel_ = channel; }
    BmsChannel* child() const { return child_.get(); }
    // Only a line of the same channel is accepted: it becomes the child and line
    // receives the child that stood there before (usually none). Returns false and
    // leaves everything unchanged for a line of another channel.
    bool setChild(std::unique_ptr<BmsChannel>& line);
    BmsChannel* next() const { return next_; }
    void setNext(BmsChannel* next) { next_ = next; }

private:
    BmsWord channel_;
    std::unique_ptr<BmsChannel> child_;
    BmsChannel* next_ = nullptr; // not owned: the document owns its top-level lines
};
