#include "bms/chunked_saving.h"

#include <gtest/gtest.h>

#include "bms/chart_save.h"
#include "bms/chunked_output.h"

std::string savedInChunks(const BmsBms& document, SaveLayout layout, std::size_t chunkSize)
{
    std::string joined;
    std::size_t shortPieces = 0;
    ChunkedOutput out(
        [&](std::string_view piece) {
            EXPECT_EQ(shortPieces, 0u) << "a short piece came before the last";
            shortPieces += piece.size() < chunkSize ? 1 : 0;
            EXPECT_LE(piece.size(), chunkSize);
            joined += piece;
            return true;
        },
        chunkSize);
    writeSavedText(document, layout, out);
    EXPECT_TRUE(out.finish());
    return joined;
}
