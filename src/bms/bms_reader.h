#pragma once

// Reads a BMS chart into a new document in two passes: pass 1 stores the measure
// lengths, pass 2 the headers, definitions and channel data at absolute ticks. The end
// of the input ends the last line as a line break would. The document keeps the text it
// was read from with what the model cannot show (chart_source.h): every reference as
// written, and the lines that the normalised layout would change.
// A failed read sets the result code and line (parse_result.h), leaves the caller's
// document as it was and leaks nothing. A read whose channel lines would need more
// object storage than the budget, or that runs out of memory, fails with code 15.
// Readers on different threads may read at the same time.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "model/bms_bms.h"

class BmsReader {
public:
    // Receives the overwrite notices "wavs overwrite\n" and "bmps overwrite\n".
    using NoticeSink = std::function<void(const char* notice)>;

    // The channel lines of one read may need at most this much object storage.
    static constexpr std::size_t kStorageBudgetBytes = std::size_t { 1 } << 30;

    BmsReader();
    ~BmsReader();
    BmsReader(const BmsReader&) = delete;
    BmsReader& operator=(const BmsReader&) = delete;

    // The default sink writes to standard output; an empty sink discards the notices.
    void setNoticeSink(NoticeSink sink);
    // The storage budget of the reads that follow (tests and the fuzzer use a small one).
    void setStorageBudget(std::size_t bytes);

    // Reads the file at path (opened in binary mode; carriage returns are dropped and
    // 0x1A ends the input on every platform). On success out owns the new document.
    bool read(const char* path, std::unique_ptr<BmsBms>& out);
    // The same rules over bytes in memory.
    bool readBytes(std::string_view bytes, std::unique_ptr<BmsBms>& out);

private:
    bool readText(std::string text, std::unique_ptr<BmsBms>& out);

    // The working state of one read.
    struct State;
    NoticeSink noticeSink_;
    std::size_t storageBudget_ = kStorageBudgetBytes;
};
