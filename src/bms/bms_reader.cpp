#include "bms/bms_reader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <utility>

#include "bms/bms_input.h"
#include "bms/bms_writer.h"
#include "bms/layout_check.h"
#include "bms/object_placer.h"
#include "bms/parse_result.h"
#include "model/ascii_chars.h"
#include "model/header_references.h"
#include "model/object_ticks.h"
#include "model/reference_channels.h"

namespace {

enum class ReaderState {
    LineStart,
    AfterHash,
    HeaderKey,
    BeforeValue,
    HeaderValue,
    MeasureNumber,
    ChannelNumber,
    Colon,
    MeasureLengthValue,
    ObjectData,
    PassEnd,
};

constexpr int kLineEnd = '\n';

// The end of the input ends the last line as a line break would.
bool endsLine(int c)
{
    return c == kLineEnd || c == BmsInput::kEnd;
}

// A type of its own, so that getWhile's scan inlines the test.
constexpr auto kAlphanumeric = [](int c) { return isAlphanumericByte(c); };

// A measure length written with many digits (0.130208333333333 for 50/384) is meant
// as the tick next to it; further than this from a whole tick it is not one.
constexpr double kWholeTickTolerance = 1e-6;

struct MeasureLengthTicks {
    int ticks;
    // The value times 384 lies within kWholeTickTolerance of ticks, or the value is the
    // six-decimal text that a save writes for ticks (up to 0.000384 ticks above them).
    bool whole;
};

bool isWholeTicks(double value, int ticks)
{
    if (std::abs(value * BmsBar::kStandardTicks - ticks) <= kWholeTickTolerance)
        return true;
    constexpr double kMillionths = 1e6;
    return std::abs(value * kMillionths - static_cast<double>(measureLengthMillionths(ticks))) <= kWholeTickTolerance;
}

// The tick count of a measure-length text (digits and at most one '.'): its decimal
// value times 384, to the nearest tick; none when that is not finite or passes the
// longest measure. The conversion ignores the C locale.
std::optional<MeasureLengthTicks> measureLengthTicks(const std::string& text)
{
    double value = 0;
    const auto parsed = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (parsed.ec == std::errc::result_out_of_range) {
        // Beyond a double: too large when the integer part is not zero, else too small.
        const auto point = std::find(text.begin(), text.end(), '.');
        if (std::any_of(text.begin(), point, [](char c) { return c != '0'; }))
            return std::nullopt;
        value = 0;
    } else if (parsed.ec != std::errc()) {
        value = 0; // a lone "." is no number
    }
    const double ticks = std::round(value * BmsBar::kStandardTicks);
    if (!std::isfinite(ticks) || ticks > BmsBms::kMaxMeasureTicks)
        return std::nullopt;
    return MeasureLengthTicks { static_cast<int>(ticks), isWholeTicks(value, static_cast<int>(ticks)) };
}

} // namespace

// The working state of one read: the automaton over the input and the document it
// builds. Each handler reads what its state needs, sets the next state and returns a
// result code, kResultOk to go on.
struct BmsReader::State {
    State(std::string text, const NoticeSink& noticeSink, std::size_t storageBudget);

    ResultCode read();
    int line() const { return line_; }
    std::unique_ptr<BmsBms> takeDocument();

private:
    ResultCode runPass(int pass);
    ResultCode runHandler();

    ResultCode lineStart();
    ResultCode afterHash();
    ResultCode headerKey();
    ResultCode beforeValue();
    ResultCode headerValue();
    ResultCode measureNumber();
    ResultCode channelNumber();
    ResultCode colon();
    ResultCode measureLengthValue();
    ResultCode objectData();
    ResultCode baseLine(int first);

    bool skipLine();
    ResultCode skipRestOfLine();
    void nextLine();
    void recordLine(SourceLine::Kind kind, int lastChar);

    void storeHeader();
    bool storeDefinition(BmsRegistArray& table, const char* notice);
    void noteHeader();
    std::string_view recordedValue();
    void noteFinding(SourceFinding::Kind kind, std::string spelled);
    std::string spelledLineStart() const;
    bool countReferences();

    // Declared before the input, which reads its text.
    std::shared_ptr<ChartSource> source_;
    BmsInput input_;
    const NoticeSink& noticeSink_;
    // Declared before the placer, which fills it.
    std::unique_ptr<BmsBms> document_;
    ObjectPlacer placer_;
    ReaderState state_ = ReaderState::LineStart;
    int pass_ = 1;
    int line_ = 1;
    // Offsets of the current line's start, its key (or objects) and its value.
    std::size_t lineBegin_ = 0;
    std::size_t keyAt_ = 0;
    std::size_t valueAt_ = 0;

    std::string key_;
    std::string value_;
    // The current data line's objects: a view of the text, or of the scratch text when
    // carriage returns stand between them.
    std::string_view objects_;
    std::string objectsScratch_;
    std::string lengthText_;
    int measure_ = 0;
    BmsWord channel_;
    // countReferences' counts of the odd pairs of each line (WAV, BMP), added at the end.
    PerKind<ChartSource::Counts> oddPairCounts_ {};
    // The lines that start with "#", and of them the header lines, as the first pass
    // counts them.
    std::size_t hashLines_ = 0;
    std::size_t headerLines_ = 0;
    bool sawControlFlow_ = false;
    bool sawUnkeptBase_ = false;
    // The value of the first #BASE line, blanks trimmed, once the first pass met one.
    std::optional<std::string> firstBase_;
    bool sawConflictingBase_ = false;
};

BmsReader::State::State(std::string text, const NoticeSink& noticeSink, std::size_t storageBudget)
    : source_(std::make_shared<ChartSource>())
    , input_((source_->text = std::move(text)))
    , noticeSink_(noticeSink)
    , document_(std::make_unique<BmsBms>())
    , placer_(*document_, storageBudget)
{
}

ResultCode BmsReader::State::read()
{
    if (const ResultCode code = runPass(1))
        return code;
    // Every recorded line starts with "#": room for all of them at once spares the copies
    // of a growing record, without the room that a guess from the text's size would take.
    source_->lines.reserve(hashLines_);
    source_->headers.reserve(headerLines_);
    input_.rewind();
    if (const ResultCode code = runPass(2))
        return code;
    placer_.finish();
    return kResultOk;
}

std::unique_ptr<BmsBms> BmsReader::State::takeDocument()
{
    for (int value = 0; value < BmsWord::kValueCount; ++value) {
        for (DefinitionKind kind : kDefinitionKinds)
            source_->references[kind][static_cast<std::size_t>(value)]
                += oddPairCounts_[kind][static_cast<std::size_t>(value)];
    }
    for (DefinitionKind kind : kDefinitionKinds)
        source_->references[kind][0] = 0;
    // The first pass found the lengths, the second everything else.
    std::stable_sort(source_->findings.begin(), source_->findings.end(),
        [](const SourceFinding& a, const SourceFinding& b) { return a.line < b.line; });
    source_->base = document_->indexBase();
    document_->editState() = ChartEditState(std::move(source_));
    return std::move(document_);
}

ResultCode BmsReader::State::runPass(int pass)
{
    pass_ = pass;
    line_ = 1;
    lineBegin_ = 0;
    state_ = ReaderState::LineStart;
    while (state_ != ReaderState::PassEnd) {
        if (const ResultCode code = runHandler())
            return code;
    }
    return kResultOk;
}

ResultCode BmsReader::State::runHandler()
{
    switch (state_) {
    case ReaderState::LineStart:
        return lineStart();
    case ReaderState::AfterHash:
        return afterHash();
    case ReaderState::HeaderKey:
        return headerKey();
    case ReaderState::BeforeValue:
        return beforeValue();
    case ReaderState::HeaderValue:
        return headerValue();
    case ReaderState::MeasureNumber:
        return measureNumber();
    case ReaderState::ChannelNumber:
        return channelNumber();
    case ReaderState::Colon:
        return colon();
    case ReaderState::MeasureLengthValue:
        return measureLengthValue();
    case ReaderState::ObjectData:
        return objectData();
    case ReaderState::PassEnd:
        break;
    }
    return kResultOk;
}

// A line whose first non-blank character is not "#" is ignored, even as the last
// line without a line end.
ResultCode BmsReader::State::lineStart()
{
    const int c = input_.get();
    if (c == '#') {
        state_ = ReaderState::AfterHash;
    } else if (c == kLineEnd) {
        nextLine();
    } else if (c == BmsInput::kEnd) {
        state_ = ReaderState::PassEnd;
    } else if (!isAsciiBlank(c) && !skipLine()) {
        state_ = ReaderState::PassEnd;
    }
    return kResultOk;
}

// The first pass looks no further into a header line than this character.
ResultCode BmsReader::State::afterHash()
{
    const int c = input_.get();
    if (pass_ == 1)
        ++hashLines_;
    if (isAsciiDigit(c)) {
        input_.unget(c);
        state_ = ReaderState::MeasureNumber;
        return kResultOk;
    }
    if (pass_ == 1) {
        ++headerLines_;
        // #BASE anywhere sets the base of every index, which the second pass reads in.
        if (asciiUpperCase(static_cast<char>(c)) == 'B')
            return baseLine(c);
        if (c != kLineEnd)
            return skipRestOfLine();
        nextLine();
        state_ = ReaderState::LineStart;
        return kResultOk;
    }
    key_.clear();
    // "@" starts the key of an image part, #@BGAxx.
    if (c == '@')
        key_ += '@';
    else if (isAsciiLetter(c))
        input_.unget(c);
    else
        return kResultBadCharAfterHash;
    keyAt_ = c == '@' ? input_.offset() - 1 : input_.offset();
    state_ = ReaderState::HeaderKey;
    return kResultOk;
}

ResultCode BmsReader::State::headerKey()
{
    const int c = input_.getWhile(kAlphanumeric, key_);
    if (!isAsciiBlank(c) && !endsLine(c))
        return kResultBadHeaderKey;
    input_.unget(c);
    state_ = ReaderState::BeforeValue;
    return kResultOk;
}

ResultCode BmsReader::State::beforeValue()
{
    int c;
    do {
        c = input_.get();
    } while (isAsciiBlank(c));
    if (endsLine(c)) {
        // A key without a value is dropped; its line still counts for the blocks it
        // opens or closes.
        value_.clear();
        valueAt_ = SourceHeader::kNoValue;
        recordLine(SourceLine::Kind::Header, c);
        nextLine();
        state_ = ReaderState::LineStart;
        return kResultOk;
    }
    input_.unget(c);
    valueAt_ = input_.offset();
    value_.clear();
    state_ = ReaderState::HeaderValue;
    return kResultOk;
}

// The value runs to the line end, inner and trailing blanks included.
ResultCode BmsReader::State::headerValue()
{
    const int c = input_.getWhile([](int c) { return c != kLineEnd; }, value_);
    recordLine(SourceLine::Kind::Header, c);
    storeHeader();
    nextLine();
    state_ = ReaderState::LineStart;
    return kResultOk;
}

ResultCode BmsReader::State::measureNumber()
{
    int measure = 0;
    for (int digit = 0; digit < 3; ++digit) {
        const int c = input_.get();
        if (!isAsciiDigit(c))
            return kResultBadMeasureNumber;
        measure = measure * 10 + (c - '0');
    }
    measure_ = measure;
    state_ = ReaderState::ChannelNumber;
    return kResultOk;
}

// The first pass goes on only with measure lengths (channel 02), the second pass with
// every other channel.
ResultCode BmsReader::State::channelNumber()
{
    const int high = input_.get();
    if (!isAlphanumericByte(high))
        return kResultBadChannel;
    const int low = input_.get();
    if (!isAlphanumericByte(low))
        return kResultBadChannel;
    channel_.setChars(static_cast<char>(high), static_cast<char>(low));

    const bool measureLength = channel_.equalsChars('0', '2');
    if (pass_ == 1 && !measureLength) {
        // The line's length bounds its objects, so that each line takes its storage once.
        const std::size_t rest = input_.offset();
        skipRestOfLine();
        placer_.expect(measure_, channel_, (input_.offset() - rest) / 2);
        return kResultOk;
    }
    if (pass_ == 2 && measureLength)
        return skipRestOfLine();
    state_ = ReaderState::Colon;
    return kResultOk;
}

ResultCode BmsReader::State::colon()
{
    if (input_.get() != ':')
        return kResultMissingColon;
    keyAt_ = input_.offset();
    state_ = pass_ == 1 ? ReaderState::MeasureLengthValue : ReaderState::ObjectData;
    return kResultOk;
}

ResultCode BmsReader::State::measureLengthValue()
{
    int c = input_.get();
    if (!isAsciiDigit(c) && c != '.')
        return kResultBadMeasureLengthValue;
    bool sawPoint = false;
    lengthText_.clear();
    for (; !endsLine(c); c = input_.get()) {
        if (c == '.' && !sawPoint) {
            sawPoint = true;
        } else if (!isAsciiDigit(c)) {
            return kResultBadMeasureLengthText;
        }
        lengthText_ += static_cast<char>(c);
    }

    // A measure counts as set once its length differs from the standard one, so "1"
    // may be given again.
    if (document_->measureLength(measure_).ticks() != BmsBar::kStandardTicks)
        return kResultMeasureLengthTwice;
    const std::optional<MeasureLengthTicks> length = measureLengthTicks(lengthText_);
    if (!length)
        return kResultBadMeasureLengthValue;
    if (!length->whole)
        noteFinding(SourceFinding::Kind::InexactLength, spelledLineStart() + ':' + lengthText_);
    if (length->ticks != BmsBar::kStandardTicks)
        document_->setMeasureLength(measure_, BmsBar(length->ticks));
    nextLine();
    state_ = ReaderState::LineStart;
    return kResultOk;
}

// Pairs of alphanumerics with nothing between them, then optional blanks. Whatever
// ends the run of alphanumerics must be a blank or the line end, and the run must
// hold a pair. A stray last character is ignored, as players ignore it.
ResultCode BmsReader::State::objectData()
{
    int c = input_.viewWhile(kAlphanumeric, objectsScratch_, objects_);
    const bool stray = objects_.size() % 2 != 0;
    if (objects_.size() < 2 || (!isAsciiBlank(c) && !endsLine(c)))
        return kResultBadObjectData;
    for (; !endsLine(c); c = input_.get()) {
        if (!isAsciiBlank(c))
            return stray ? kResultBadObjectData : kResultBadObjectEnd;
    }
    if (stray) {
        objects_.remove_suffix(1);
        noteFinding(SourceFinding::Kind::OddLength, spelledLineStart());
    }
    // The layout-keeping writer rewrites the objects of these lines: the indices of the
    // tables, and those that name header keys when a chart takes base 62.
    if (countReferences() || namesHeaderKeys(channel_))
        recordLine(SourceLine::Kind::Data, c);
    if (!placesObjectsExactly(document_->measureStart(measure_), document_->measureLength(measure_).ticks(), objects_))
        noteFinding(SourceFinding::Kind::OffGridObjects, spelledLineStart());
    if (!placer_.place(measure_, channel_, objects_))
        return kResultChartTooLarge;
    nextLine();
    state_ = ReaderState::LineStart;
    return kResultOk;
}

// A header line in the first pass whose key starts with first, a "B" in either case: a
// #BASE line sets the document's base, the last one winning.
ResultCode BmsReader::State::baseLine(int first)
{
    key_.assign(1, static_cast<char>(first));
    int c = input_.getWhile(kAlphanumeric, key_);
    if (key_.size() != 4 || asciiUpperCase(key_[1]) != 'A' || asciiUpperCase(key_[2]) != 'S'
        || asciiUpperCase(key_[3]) != 'E' || !isAsciiBlank(c)) {
        input_.unget(c);
        return skipRestOfLine();
    }
    value_.clear();
    c = input_.getWhile([](int c) { return c != kLineEnd; }, value_);
    const std::string_view spelled = baseValueText(value_);
    if (!firstBase_) {
        firstBase_ = std::string(spelled);
    } else if (*firstBase_ != spelled && !sawConflictingBase_) {
        sawConflictingBase_ = true;
        noteFinding(SourceFinding::Kind::ConflictingBase, "#BASE " + std::string(spelled));
    }
    document_->setIndexBase(indexBaseOfValue(value_));
    if (c == kLineEnd)
        nextLine();
    state_ = c == kLineEnd ? ReaderState::LineStart : ReaderState::PassEnd;
    return kResultOk;
}

void BmsReader::State::nextLine()
{
    ++line_;
    lineBegin_ = input_.offset();
}

// The current line, which ends at lastChar (a line break or the end of the input) just
// read, for the layout-keeping writer.
void BmsReader::State::recordLine(SourceLine::Kind kind, int lastChar)
{
    const auto at = [](std::size_t offset) { return static_cast<std::uint32_t>(offset); };
    const std::size_t end = input_.offset();
    source_->lines.push_back({ at(lineBegin_), at(lastChar == kLineEnd ? end - 1 : end), at(keyAt_), channel_, kind });
    if (kind == SourceLine::Kind::Header)
        source_->headers.push_back({ headerTableKey(key_, document_->indexBase()), recordedValue(), at(valueAt_) });
}

// The value as a view of the text where the text spells it in one piece, as it nearly
// always does: most values are file names too long to be kept without an allocation.
std::string_view BmsReader::State::recordedValue()
{
    const std::string_view value = value_.c_str();
    const std::string_view text = source_->text;
    if (value.empty())
        return {};
    if (valueAt_ <= text.size() && text.substr(valueAt_, value.size()) == value)
        return text.substr(valueAt_, value.size());
    return source_->respelledValues.emplace_back(value);
}

bool BmsReader::State::skipLine()
{
    if (!input_.skipLine())
        return false;
    nextLine();
    return true;
}

// The end of the input ends the line being skipped like a line break.
ResultCode BmsReader::State::skipRestOfLine()
{
    skipLine();
    state_ = ReaderState::LineStart;
    return kResultOk;
}

// Texts end at their first NUL byte: a value that starts with one would be stored as
// an empty text, which no chart line can express, so it is dropped like a missing
// value.
void BmsReader::State::storeHeader()
{
    if (value_.c_str()[0] == '\0')
        return;
    if (storeDefinition(*document_->wavTable(), "wavs overwrite\n"))
        return;
    if (storeDefinition(*document_->bmpTable(), "bmps overwrite\n"))
        return;
    noteHeader();
    document_->headerTable()->set(key_.c_str(), value_.c_str());
}

// Every header line counts its index references, as the table keeps only the last line
// of a key; the first control-flow line and the first base other than 36 are findings.
void BmsReader::State::noteHeader()
{
    const std::string_view value = value_.c_str();
    const HeaderIndexReferences references = headerIndexReferences(key_, value);
    for (DefinitionKind kind : kDefinitionKinds) {
        if (references.valueNamesIndex[kind])
            ++source_
                  ->references[kind][static_cast<std::size_t>(document_->indexBase().word(value[0], value[1]).value())];
    }
    std::optional<SourceFinding> finding = findingOfHeader(key_, value, line_);
    if (!finding)
        return;
    bool& seen = finding->kind == SourceFinding::Kind::ControlFlow ? sawControlFlow_ : sawUnkeptBase_;
    if (!seen)
        source_->findings.push_back(std::move(*finding));
    seen = true;
}

void BmsReader::State::noteFinding(SourceFinding::Kind kind, std::string spelled)
{
    source_->findings.push_back({ kind, line_, std::move(spelled) });
}

// "#mmmcc" of the current channel line.
std::string BmsReader::State::spelledLineStart() const
{
    const char text[] = { '#', static_cast<char>('0' + measure_ / 100), static_cast<char>('0' + measure_ / 10 % 10),
        static_cast<char>('0' + measure_ % 10), channel_.high(), channel_.low() };
    return std::string(text, sizeof text);
}

// Every object of the line counts, whatever the tick grid makes of it. Returns whether
// the line's channel refers to a table.
bool BmsReader::State::countReferences()
{
    const DefinitionKind kind = isWavChannel(channel_) ? kKindWav : kKindBmp;
    if (kind == kKindBmp && !isBmpChannel(channel_))
        return false;
    ChartSource::Counts& even = source_->references[kind];
    ChartSource::Counts& odd = oddPairCounts_[kind];
    // "00" objects are counted too, without a branch that half of all objects would
    // mispredict; index 00 is never a reference, and takeDocument clears its count.
    // Odd pairs count apart, so that a run of equal objects is no chain of increments of
    // one counter.
    const std::uint8_t* const digit = document_->indexBase().digits();
    constexpr unsigned kRadix = BmsWord::kRadix;
    const unsigned char* pair = reinterpret_cast<const unsigned char*>(objects_.data());
    const unsigned char* const end = pair + objects_.size();
    for (; end - pair >= 4; pair += 4) {
        ++even[digit[pair[0]] * kRadix + digit[pair[1]]];
        ++odd[digit[pair[2]] * kRadix + digit[pair[3]]];
    }
    if (pair != end)
        ++even[digit[pair[0]] * kRadix + digit[pair[1]]];
    return true;
}

bool BmsReader::State::storeDefinition(BmsRegistArray& table, const char* notice)
{
    if (!table.matchesKey(key_.c_str()))
        return false;
    const std::size_t nameLength = std::strlen(table.name());
    const BmsWord index = document_->indexBase().word(key_[nameLength], key_[nameLength + 1]);
    if (table.set(index, value_.c_str()) && noticeSink_)
        noticeSink_(notice);
    return true;
}

BmsReader::BmsReader()
    : noticeSink_([](const char* notice) { std::fputs(notice, stdout); })
{
}

BmsReader::~BmsReader() = default;

void BmsReader::setNoticeSink(NoticeSink sink)
{
    noticeSink_ = std::move(sink);
}

void BmsReader::setStorageBudget(std::size_t bytes)
{
    storageBudget_ = bytes;
}

bool BmsReader::read(const char* path, std::unique_ptr<BmsBms>& out)
{
    ParseResult& result = lastParseResult();
    result.code = kResultOk;
    std::string bytes;
    try {
        if (!loadChartFile(path, bytes)) {
            result.code = kResultCannotOpen;
            return false;
        }
    } catch (const std::bad_alloc&) {
        result.code = kResultChartTooLarge;
        return false;
    }
    return readText(std::move(bytes), out);
}

bool BmsReader::readBytes(std::string_view bytes, std::unique_ptr<BmsBms>& out)
{
    try {
        return readText(std::string(bytes), out);
    } catch (const std::bad_alloc&) {
        lastParseResult().code = kResultChartTooLarge;
        return false;
    }
}

bool BmsReader::readText(std::string text, std::unique_ptr<BmsBms>& out)
{
    ParseResult& result = lastParseResult();
    result.code = kResultOk;
    ResultCode code;
    // The working state lives for this read only, so that reads on other threads or
    // readers never share it. A read that runs out of memory still reports its line.
    std::optional<State> state;
    try {
        state.emplace(std::move(text), noticeSink_, storageBudget_);
        code = state->read();
    } catch (const std::bad_alloc&) {
        code = kResultChartTooLarge;
    }
    if (state) {
        result.line = state->line();
        if (code == kResultOk)
            out = state->takeDocument();
    }
    result.code = code;
    return code == kResultOk;
}
