#include "bms/chunked_output.h"

#include <algorithm>
#include <utility>

BytesConsumer appendingTo(std::string& text)
{
    return [&text](std::string_view piece) {
        text += piece;
        return true;
    };
}

ChunkedOutput::ChunkedOutput(BytesConsumer consumer, std::size_t chunkSize)
    : consumer_(std::move(consumer))
    , chunkSize_(std::max<std::size_t>(chunkSize, 1))
{
    // Room for a chunk and the line that completes it, so that the buffer seldom grows.
    pending_.reserve(chunkSize_ + chunkSize_ / 4);
}

void ChunkedOutput::appendSettled(std::string_view bytes, std::size_t keep)
{
    handOnWholeChunks(keep);
    while (!bytes.empty()) {
        // Never more than fills the buffer to a chunk beyond the kept bytes.
        const std::size_t taken = std::min(bytes.size(), chunkSize_ + keep - pending_.size());
        pending_.append(bytes.substr(0, taken));
        bytes.remove_prefix(taken);
        handOnWholeChunks(keep);
    }
}

void ChunkedOutput::handOnWholeChunks(std::size_t keep)
{
    std::size_t offset = 0;
    while (pending_.size() - offset >= chunkSize_ + keep) {
        handOn(std::string_view(pending_).substr(offset, chunkSize_));
        offset += chunkSize_;
    }
    pending_.erase(0, offset);
}

bool ChunkedOutput::finish()
{
    handOnWholeChunks();
    if (!pending_.empty())
        handOn(pending_);
    pending_.clear();
    return !refused_;
}

void ChunkedOutput::handOn(std::string_view piece)
{
    handedOn_ += piece.size();
    if (!refused_)
        refused_ = !consumer_(piece);
}

std::string ChunkedOutput::collect(const std::function<void(ChunkedOutput& out)>& write)
{
    std::string text;
    ChunkedOutput out(appendingTo(text));
    write(out);
    out.finish();
    return text;
}
