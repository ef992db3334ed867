#include "reader_test_support.h"

#include <gtest/gtest.h>

namespace reader_test {

std::ostream& operator<<(std::ostream& out, const ReadFailure& failure)
{
    return out << "code " << failure.code << " at line " << failure.line;
}

ReadOutcome readChartText(std::string_view text, std::size_t storageBudget)
{
    ReadOutcome outcome;
    BmsReader reader;
    reader.setNoticeSink([&outcome](const char* notice) { outcome.notices.emplace_back(notice); });
    if (storageBudget != 0)
        reader.setStorageBudget(storageBudget);
    outcome.ok = reader.readBytes(text, outcome.document);
    return outcome;
}

std::unique_ptr<BmsBms> readChart(std::string_view text)
{
    ReadOutcome outcome = readChartText(text);
    if (outcome.ok)
        return std::move(outcome.document);
    ADD_FAILURE() << "read failed with code " << lastParseResult().code << " at line " << errorLine();
    return std::make_unique<BmsBms>();
}

ReadFailure readFailure(std::string_view text, std::size_t storageBudget)
{
    readChartText(text, storageBudget);
    return { lastParseResult().code, errorLine() };
}

namespace {

const BmsChannel* laneOf(const BmsBms& document, const char* channel, int lane)
{
    const BmsChannel* line = document.findLine(BmsWord(channel));
    for (; line && lane > 0; --lane)
        line = line->child();
    return line;
}

} // namespace

std::string objectAt(const BmsBms& document, const char* channel, int tick, int lane)
{
    const BmsChannel* line = laneOf(document, channel, lane);
    if (!line)
        return "??";
    char text[3];
    return line->objectAt(tick).toText(text);
}

int laneCount(const BmsBms& document, const char* channel)
{
    int count = 0;
    for (const BmsChannel* line = document.findLine(BmsWord(channel)); line; line = line->child())
        ++count;
    return count;
}

} // namespace reader_test
