#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "reader_test_support.h"

namespace {

// A recorded line as "kind begin-contentEnd-end key@ value@ KEY=value" ("-" for no value).
std::vector<std::string> recordedLines(std::string_view text)
{
    const std::unique_ptr<BmsBms> document = reader_test::readChart(text);
    const ChartSource& source = *document->editState().source();
    std::vector<std::string> lines;
    std::size_t headers = 0;
    for (const SourceLine& line : source.lines) {
        const bool isHeader = line.kind == SourceLine::Kind::Header;
        const SourceHeader* header = isHeader ? &source.headers.at(headers++) : nullptr;
        std::string described = isHeader ? "header " : "data ";
        described += std::to_string(line.begin) + '-' + std::to_string(line.contentEnd) + '-'
            + std::to_string(line.end(source.text)) + ' ' + std::to_string(line.keyAt) + ' '
            + (!header || header->valueAt == SourceHeader::kNoValue ? std::string("-")
                                                                    : std::to_string(header->valueAt));
        if (header)
            described += ' ' + header->key + '=' + std::string(header->value);
        else
            described += std::string(" ") + line.channel.high() + line.channel.low();
        lines.push_back(described);
    }
    EXPECT_EQ(headers, source.headers.size());
    return lines;
}

// The reader records where each line that a layout-keeping save may edit stands: the
// same line breaks, carriage returns, blanks and end of input as it reads.
TEST(SourceLines, TheReaderRecordsEveryHeaderAndReferenceDataLine)
{
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        { "#WAV01 a.wav\r\n#00111:01\r\n#00102:0.5\r\n#00103:FF\r\n",
            { "header 0-13-14 1 7 WAV01=a.wav", "data 14-24-25 21 - 11" } },
        // Blanks before "#", a key without a value, a carriage return inside a key.
        { "  #title x\n#ENDIF\n#wa\rv02 b\n",
            { "header 0-10-11 3 9 TITLE=x", "header 11-17-18 12 - ENDIF=", "header 18-27-28 19 26 WAV02=b" } },
        // The image parts' "@", and a last line without a line break, cut by 0x1A.
        { "#@BGA01 02 0 0 1 1 0 0\n#00104:02\x1a#WAV03 c",
            { "header 0-22-23 1 8 @BGA01=02 0 0 1 1 0 0", "data 23-32-32 30 - 04" } },
        // Carriage returns inside a value and before it, and a value cut by a NUL.
        { std::string("#TITLE a\rb\n#WAV01 \rc.wav\n#GENRE d\0e\n", 36),
            { "header 0-10-11 1 7 TITLE=ab", "header 11-24-25 12 19 WAV01=c.wav", "header 25-35-36 26 32 GENRE=d" } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(recordedLines(c.text), c.lines) << testing::PrintToString(c.text);
}

} // namespace
