#include "bms/chunked_output.h"

#include <algorithm>
#include <cstdint>
#include <utility>

ChunkedOutput::ChunkedOutput(BytesConsumer consumer, std::size_t chunkSize)
    : consumer_(std::move(consumer))
    , chunkSize_(std::max<std::size_t>(chunkSize, 1))
{
}

void ChunkedOutput::expect(std::size_t bytes)
{
    pending_.reserve(std::min(bytes, fullAt(chunkSize_ / 4)));
}

std::size_t ChunkedOutput::fullAt(std::size_t keep) const
{
    return chunkSize_ > SIZE_MAX - keep ? SIZE_MAX : chunkSize_ + keep;
}

void ChunkedOutput::appendSettled(std::string_view bytes, std::size_t keep)
{
    handOnWholeChunks(keep);
    while (!bytes.empty()) {
        // Never more than fills the buffer to a chunk beyond the kept bytes.
        const std::size_t taken = std::min(bytes.size(), fullAt(keep) - pending_.size());
        pending_.append(bytes.substr(0, taken));
        bytes.remove_prefix(taken);
        handOnWholeChunks(keep);
    }
}

void ChunkedOutput::handOnWholeChunks(std::size_t keep)
{
    std::size_t offset = 0;
    while (pending_.size() - offset >= fullAt(keep)) {
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
    // A chunk that no text fills: nothing goes on, and the pending bytes are the text.
    ChunkedOutput out(nullptr, SIZE_MAX);
    write(out);
    return std::move(out.pending_);
}
