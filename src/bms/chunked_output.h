#pragma once

// Where the writers put a chart's text: the bytes gather in a buffer of about one chunk,
// and each whole chunk goes on to a consumer as soon as the writer says that nothing
// before it changes any more, so that a long chart never stands in memory whole. The
// writers change bytes they appended last (an index renumbered in place, a line break
// taken back) until they hand on.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// Takes one piece of the text; false when it could not be written (errno tells why).
using BytesConsumer = std::function<bool(std::string_view piece)>;

class ChunkedOutput {
public:
    // Large enough that a file or a pipe takes few writes, small beside a heavy chart.
    static constexpr std::size_t kChunkSize = 64 * 1024;

    explicit ChunkedOutput(BytesConsumer consumer, std::size_t chunkSize = kChunkSize);

    // Makes room for as many bytes as the writer expects, up to a chunk and the line that
    // completes it.
    void expect(std::size_t bytes);

    void append(std::string_view bytes) { pending_.append(bytes); }
    void append(const char* bytes, std::size_t size) { pending_.append(bytes, size); }
    void append(char byte) { pending_ += byte; }
    // Appends bytes that never change, handing on each chunk as it fills, so that a long
    // run gathers no more than a chunk; the last keep bytes stay pending.
    void appendSettled(std::string_view bytes, std::size_t keep = 0);

    // The bytes not yet handed on, which the writer may change or shorten in place.
    std::string& pending() { return pending_; }
    // Whether nothing was appended yet, handed on or not.
    bool empty() const { return handedOn_ == 0 && pending_.empty(); }

    // Hands on every whole chunk of the pending bytes before the last keep bytes.
    void handOnWholeChunks(std::size_t keep = 0);
    // Hands on the rest, in whole chunks and what is left. Returns whether the consumer
    // took every piece; after a refusal nothing more is handed to it, and the writer's
    // bytes go nowhere.
    bool finish();

    // The whole text that write appends, for the callers that need it at once.
    static std::string collect(const std::function<void(ChunkedOutput& out)>& write);

private:
    // The pending bytes from which a chunk goes on with keep bytes left (at most SIZE_MAX).
    std::size_t fullAt(std::size_t keep) const;
    void handOn(std::string_view piece);

    BytesConsumer consumer_;
    std::size_t chunkSize_;
    std::string pending_;
    std::size_t handedOn_ = 0;
    bool refused_ = false;
};
