#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "bms/chunked_output.h"

namespace {

using Pieces = std::vector<std::string>;

// Records what a ChunkedOutput hands on; refuses the piece numbered refuseAt (from 0).
struct Recorder {
    Pieces pieces;
    std::size_t refuseAt = SIZE_MAX;

    BytesConsumer consumer()
    {
        return [this](std::string_view piece) {
            if (pieces.size() == refuseAt)
                return false;
            pieces.emplace_back(piece);
            return true;
        };
    }
};

constexpr std::size_t kChunk = 4;

// Whole chunks go on when the writer hands on, the rest at the end; a chunk that is just
// full goes, one byte short stays.
TEST(ChunkedOutput, HandsOnWholeChunksAndTheRestAtTheEnd)
{
    struct Case {
        const char* appended;
        Pieces handedOn; // by handOnWholeChunks
        Pieces atTheEnd; // everything, after finish
    };
    const Case cases[] = {
        { "", {}, {} },
        { "abc", {}, { "abc" } },
        { "abcd", { "abcd" }, { "abcd" } },
        { "abcde", { "abcd" }, { "abcd", "e" } },
        { "abcdefgh", { "abcd", "efgh" }, { "abcd", "efgh" } },
        { "abcdefghi", { "abcd", "efgh" }, { "abcd", "efgh", "i" } },
    };
    for (const Case& c : cases) {
        Recorder recorder;
        ChunkedOutput out(recorder.consumer(), kChunk);
        out.append(c.appended);
        out.handOnWholeChunks();
        EXPECT_EQ(recorder.pieces, c.handedOn) << c.appended;
        EXPECT_TRUE(out.finish());
        EXPECT_EQ(recorder.pieces, c.atTheEnd) << c.appended;
    }
}

// The kept bytes stay pending, where the writer may still change or take them back.
TEST(ChunkedOutput, KeepsTheLastBytesPendingWhenAsked)
{
    Recorder recorder;
    ChunkedOutput out(recorder.consumer(), kChunk);
    out.append("abcde");
    out.handOnWholeChunks(2);
    EXPECT_EQ(recorder.pieces, Pieces {});
    out.append('f');
    out.handOnWholeChunks(2);
    EXPECT_EQ(recorder.pieces, Pieces { "abcd" });
    EXPECT_EQ(out.pending(), "ef");
    out.pending().back() = 'F';
    out.pending().pop_back();
    EXPECT_TRUE(out.finish());
    EXPECT_EQ(recorder.pieces, (Pieces { "abcd", "e" }));
}

// A long run of settled bytes never gathers more than a chunk beyond the kept bytes.
TEST(ChunkedOutput, HandsOnALongRunAsItFills)
{
    Recorder recorder;
    ChunkedOutput out(recorder.consumer(), kChunk);
    out.append('x');
    out.appendSettled("abcdefghijk", 2);
    EXPECT_EQ(recorder.pieces, (Pieces { "xabc", "defg" }));
    EXPECT_EQ(out.pending(), "hijk");
    out.appendSettled("", 0);
    EXPECT_EQ(recorder.pieces, (Pieces { "xabc", "defg", "hijk" }));
    EXPECT_TRUE(out.pending().empty());
    EXPECT_FALSE(out.empty());
}

// Once the consumer refuses a piece it gets no more, and finish says so.
TEST(ChunkedOutput, StopsHandingOnAfterARefusal)
{
    const Pieces all = { "abcd", "efgh", "ijk" };
    for (std::size_t refuseAt = 0; refuseAt < all.size(); ++refuseAt) {
        Recorder recorder;
        recorder.refuseAt = refuseAt;
        ChunkedOutput out(recorder.consumer(), kChunk);
        out.appendSettled("abcdefghi");
        out.append("jk");
        EXPECT_FALSE(out.finish()) << refuseAt;
        EXPECT_EQ(recorder.pieces, Pieces(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(refuseAt)))
            << refuseAt;
    }
}

TEST(ChunkedOutput, CollectsTheWholeText)
{
    EXPECT_EQ(ChunkedOutput::collect([](ChunkedOutput& out) {
        out.appendSettled(std::string(ChunkedOutput::kChunkSize * 2 + 1, 'a'));
        out.append("bc");
    }),
        std::string(ChunkedOutput::kChunkSize * 2 + 1, 'a') + "bc");
    EXPECT_EQ(ChunkedOutput::collect([](ChunkedOutput&) {}), "");
}

} // namespace
