#pragma once

// The outcome of the last read or save on the calling thread, shared by the reader and
// the writer: a result code with a fixed Japanese message (code page 932 bytes), and
// the reader's line.

enum ResultCode : int {
    kResultOk = 0,
    kResultMeasureLengthTwice = 2,
    kResultEofInHeaderValue = 3,
    kResultCannotOpen = 4,
    kResultBadCharAfterHash = 5,
    kResultBadHeaderKey = 6,
    kResultBadObjectData = 7,
    kResultBadObjectEnd = 8,
    kResultBadMeasureLengthText = 9,
    kResultBadMeasureLengthValue = 10,
    kResultBadChannel = 11,
    kResultMissingColon = 12,
    kResultBadMeasureNumber = 13,
    kResultUnexpectedEof = 14,
    kResultChartTooLarge = 15,
};

struct ParseResult {
    int code = kResultOk;
    int line = 0;
};

// The pair of the calling thread; both start at 0. Tests may reset it by assigning {}.
ParseResult& lastParseResult();

// The fixed message of a code; every code outside the table has the catch-all message.
const char* messageFor(int code);
const char* errorMessage();
int errorLine();
