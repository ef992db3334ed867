#include "bms/parse_result.h"

ParseResult& lastParseResult()
{
    // Each thread has its own pair, so that reads on several threads at once each
    // report their own outcome; the GUI reads and saves on one thread only.
    thread_local ParseResult result;
    return result;
}

const char* messageFor(int code)
{
    switch (code) {
    case kResultOk:
        return "正常に終了しました。";
    case kResultMeasureLengthTwice:
        return "小節長変更が2回指定されました。";
    case kResultEofInHeaderValue:
        return "ヘッダの値の途中にEOFが検出されました。";
    case kResultCannotOpen:
        return "ファイルが開けませんでした。";
    case kResultBadCharAfterHash:
        return "ヘッダのキーや小節番号の指定に英数字以外が指定されました。";
    case kResultBadHeaderKey:
        return "ヘッダのキー指定に不正な文字が使われました。";
    case kResultBadObjectData:
        return "オブジェ配列に不正な文字が使われました。";
    case kResultBadObjectEnd:
        return "オブジェ配列が正しく終了していません。";
    case kResultBadMeasureLengthText:
        return "小節長変更の小節番号指定が不正です。";
    case kResultBadMeasureLengthValue:
        return "小節長変更の値指定が不正です。";
    case kResultBadChannel:
        return "チャンネル番号指定に英数字以外が使われました。";
    case kResultMissingColon:
        return "小節とチャンネルと値の間のコロンにコロンが使われていません。";
    case kResultBadMeasureNumber:
        return "小節番号に数字が使われていません。";
    case kResultUnexpectedEof:
        return "予期せぬEOFを検出しました。";
    case kResultChartTooLarge:
        return "譜面データが大きすぎます。";
    default:
        return "なんかよくわかんないけどエラーが発生しました。";
    }
}

const char* errorMessage()
{
    return messageFor(lastParseResult().code);
}

int errorLine()
{
    return lastParseResult().line;
}
