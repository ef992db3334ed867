#include "bms/layout_keeping_writer.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <map>
#include <optional>
#include <set>
#include <string_view>
#include <vector>

#include "bms/bms_writer.h"
#include "bms/layout_check.h"
#include "model/ascii_chars.h"
#include "model/definition_kind.h"
#include "model/header_references.h"
#include "model/helpers.h"
#include "model/reference_channels.h"

namespace {

constexpr std::size_t kNone = std::string_view::npos;
constexpr char kEndOfText = 0x1A;

using Renumbering = std::array<BmsWord, BmsWord::kValueCount>;

// One load per character of the object runs instead of three range tests.
constexpr std::array<bool, 256> kAlphanumericBytes = [] {
    std::array<bool, 256> table {};
    for (int c = 0; c < 256; ++c)
        table[static_cast<std::size_t>(c)] = isAsciiAlphanumeric(static_cast<char>(c));
    return table;
}();

// One line of the text: its characters from begin to contentEnd, its line break (if it
// has one) up to end.
struct TextLine {
    std::size_t begin;
    std::size_t contentEnd;
    std::size_t end;

    bool hasBreak() const { return end > contentEnd; }
};

// The characters of a line as the reader sees them: carriage returns are skipped.
class LineCursor {
public:
    LineCursor(std::string_view text, const TextLine& line)
        : text_(text)
        , at_(line.begin)
        , end_(line.contentEnd)
    {
    }

    // Position of the next character, or kNone at the end of the line.
    std::size_t peek()
    {
        while (at_ < end_ && text_[at_] == '\r')
            ++at_;
        return at_ < end_ ? at_ : kNone;
    }
    char peekChar() { return peek() == kNone ? '\0' : text_[at_]; }
    std::size_t take()
    {
        const std::size_t position = peek();
        if (position != kNone)
            ++at_;
        return position;
    }
    void skipBlanks()
    {
        while (peekChar() == ' ' || peekChar() == '\t')
            take();
    }

private:
    std::string_view text_;
    std::size_t at_;
    std::size_t end_;
};

// A header line that the reader stores (a key with a value), as the text spells it.
struct HeaderLine {
    std::size_t lineNumber = 0; // index into the text's lines
    std::string upperKey;
    std::vector<std::size_t> keyPositions; // of each key character
    std::size_t valueBegin = kNone;
    std::vector<std::size_t> valuePositions; // of the first two value characters
    std::string value; // as the reader stores it: without carriage returns, up to a NUL
    HeaderIndexReferences references;
    std::optional<DefinitionKind> definitionKind; // of #WAVxx and #BMPxx
    int original = 0; // a definition's index value
    bool outsideBlocks = true; // not inside an #IF or #SWITCH block
    bool controlFlow = false;
};

// The words that open and close the blocks whose lines only some plays read.
int blockDepthChange(const std::string& upperKey)
{
    if (upperKey == "IF" || upperKey == "SWITCH" || upperKey == "SETSWITCH")
        return 1;
    if (upperKey == "ENDIF" || upperKey == "ENDSW")
        return -1;
    return 0;
}

class LayoutKeepingWriter {
public:
    explicit LayoutKeepingWriter(const BmsBms& document)
        : document_(document)
        , text_(document.editState().source()->text)
    {
        const ChartEditState& state = document.editState();
        for (DefinitionKind kind : kDefinitionKinds) {
            renumberings_[kind] = renumberingOf(state.indices(kind));
            preparePairTargets(kind);
        }
        for (int value = 0; value < BmsWord::kValueCount; ++value) {
            for (DefinitionKind kind : kDefinitionKinds) {
                if (isChannelOfKind(BmsWord(value), kind))
                    kindOfChannel_[static_cast<std::size_t>(value)] = kind;
            }
        }
    }

    std::string write()
    {
        splitLines();
        scanHeaders();
        decideDefinitions();
        decideHeaders();
        return assemble();
    }

private:
    static Renumbering renumberingOf(const IndexMapping& mapping)
    {
        Renumbering renumbered;
        for (int value = 0; value < BmsWord::kValueCount; ++value)
            renumbered[value] = mapping.current(value);
        return renumbered;
    }

    // The new bytes of every pair of alphanumerics whose index moves, indexed by its two
    // bytes (first byte low); 0 for a pair that stays.
    void preparePairTargets(DefinitionKind kind)
    {
        std::vector<std::uint16_t>& targets = pairTargets_[kind];
        targets.assign(std::size_t { 1 } << 16, 0);
        for (int first = 0; first < 256; ++first) {
            for (int second = 0; second < 256; ++second) {
                const char high = static_cast<char>(first);
                const char low = static_cast<char>(second);
                if (!isAsciiAlphanumeric(high) || !isAsciiAlphanumeric(low))
                    continue;
                const BmsWord target = renumberings_[kind][base36PairValue(high, low)];
                if (target.value() != base36PairValue(high, low)) {
                    targets[static_cast<std::size_t>(first | second << 8)] = static_cast<std::uint16_t>(
                        static_cast<unsigned char>(target.high()) | static_cast<unsigned char>(target.low()) << 8);
                    renumbered_[kind] = true;
                }
            }
        }
    }

    const Renumbering& renumberingOfKind(DefinitionKind kind) const { return renumberings_[kind]; }
    bool isRenumbered(DefinitionKind kind) const { return renumbered_[kind]; }

    // The lines up to the end of the input (a 0x1A ends it); the line-end style of new lines.
    void splitLines()
    {
        const std::size_t cut = text_.find(kEndOfText);
        const std::size_t stop = cut == kNone ? text_.size() : cut;
        for (std::size_t begin = 0; begin < stop;) {
            const void* found = std::memchr(text_.data() + begin, '\n', stop - begin);
            const std::size_t lineEnd
                = found ? static_cast<std::size_t>(static_cast<const char*>(found) - text_.data()) : stop;
            lines_.push_back({ begin, lineEnd, found ? lineEnd + 1 : lineEnd });
            begin = found ? lineEnd + 1 : stop;
            if (found && lineBreak_.empty())
                lineBreak_ = lineEnd > 0 && text_[lineEnd - 1] == '\r' ? "\r\n" : "\n";
        }
        if (lineBreak_.empty())
            lineBreak_ = "\r\n";
    }

    void scanHeaders()
    {
        int depth = 0;
        for (std::size_t number = 0; number < lines_.size(); ++number) {
            if (isPlainlyNoHeader(lines_[number]))
                continue;
            HeaderLine header;
            header.lineNumber = number;
            if (!readHeader(lines_[number], header))
                continue;
            const int change = blockDepthChange(header.upperKey);
            header.outsideBlocks = depth == 0 && change <= 0;
            depth = std::max(0, depth + change);
            if (!header.value.empty())
                headers_.push_back(std::move(header));
        }
    }

    // Data lines, the bulk of a chart, and lines without "#" are passed over at a glance;
    // a carriage return in the way leaves the line to readHeader.
    bool isPlainlyNoHeader(const TextLine& line) const
    {
        std::size_t at = line.begin;
        while (at < line.contentEnd && (text_[at] == ' ' || text_[at] == '\t'))
            ++at;
        if (at == line.contentEnd)
            return true;
        if (text_[at] != '#')
            return text_[at] != '\r';
        return at + 1 < line.contentEnd && isAsciiDigit(text_[at + 1]);
    }

    // Reads a "#" line with a key; the value stays empty for a key the reader drops.
    bool readHeader(const TextLine& line, HeaderLine& header) const
    {
        LineCursor cursor(text_, line);
        cursor.skipBlanks();
        if (cursor.peekChar() != '#')
            return false;
        cursor.take();
        const char first = cursor.peekChar();
        if (!isAsciiLetter(first) && first != '@')
            return false;
        for (bool atSign = first == '@'; isAsciiAlphanumeric(cursor.peekChar()) || atSign; atSign = false) {
            header.upperKey += asciiUpperCase(cursor.peekChar());
            header.keyPositions.push_back(cursor.take());
        }
        cursor.skipBlanks();
        header.valueBegin = cursor.peek();
        for (std::size_t position = cursor.take(); position != kNone; position = cursor.take()) {
            if (header.valuePositions.size() < 2)
                header.valuePositions.push_back(position);
            header.value += text_[position];
        }
        header.value.resize(std::strlen(header.value.c_str()));
        header.controlFlow = isControlFlowKey(header.upperKey);
        header.references = headerIndexReferences(header.upperKey, header.value);
        for (DefinitionKind kind : kDefinitionKinds) {
            const BmsRegistArray& table = *document_.table(kind);
            if (table.matchesKey(header.upperKey.c_str())) {
                header.definitionKind = kind;
                header.original = BmsWord(header.upperKey[3], header.upperKey[4]).value();
            }
        }
        return true;
    }

    // A definition's lines stay while the model holds its last name at its current index.
    void decideDefinitions()
    {
        for (DefinitionKind kind : kDefinitionKinds) {
            std::array<const std::string*, BmsWord::kValueCount> lastName {};
            for (const HeaderLine& header : headers_) {
                if (header.definitionKind == kind) {
                    lastName[header.original] = &header.value;
                    if (header.outsideBlocks)
                        definitionAnchor_[kind] = header.lineNumber;
                }
            }
            const BmsRegistArray& table = *document_.table(kind);
            std::array<bool, BmsWord::kValueCount> written {};
            for (int original = 0; original < BmsWord::kValueCount; ++original) {
                const BmsWord current = renumberingOfKind(kind)[original];
                kept_[kind][original]
                    = lastName[original] && table.has(current) && *lastName[original] == table.get(current);
                written[current.value()] = kept_[kind][original];
            }
            for (int value = 0; value < BmsWord::kValueCount; ++value) {
                const BmsWord index(value);
                if (table.has(index) && !written[value]) {
                    newDefinitions_[kind].push_back(
                        std::string("#") + table.name() + index.high() + index.low() + ' ' + table.get(index));
                }
            }
        }
    }

    // The key and value of a header line once its indices are renumbered.
    std::string renumberedKey(const HeaderLine& header) const
    {
        std::string key = header.upperKey;
        const std::size_t at = header.references.definedBmpIndexAt;
        if (at != HeaderIndexReferences::kNone) {
            const BmsWord index = renumberingOfKind(kKindBmp)[BmsWord(key[at], key[at + 1]).value()];
            key[at] = index.high();
            key[at + 1] = index.low();
        }
        return key;
    }
    std::string renumberedValue(const HeaderLine& header) const
    {
        std::string value = header.value;
        for (DefinitionKind kind : kDefinitionKinds) {
            if (!header.references.valueNamesIndex[kind])
                continue;
            const BmsWord index = renumberingOfKind(kind)[BmsWord(value[0], value[1]).value()];
            if (!index.equals(BmsWord(value[0], value[1]))) {
                value[0] = index.high();
                value[1] = index.low();
            }
        }
        return value;
    }

    // A header whose value the model holds otherwise gets it on its last line; a key of the
    // model that the text lacks gets a new line.
    void decideHeaders()
    {
        std::map<std::string, std::size_t> lastLineOfKey;
        for (std::size_t i = 0; i < headers_.size(); ++i) {
            const HeaderLine& header = headers_[i];
            if (header.definitionKind)
                continue;
            lastLineOfKey[renumberedKey(header)] = i;
            if (header.outsideBlocks && !header.controlFlow)
                headerAnchor_ = header.lineNumber;
        }
        const BmsHeaderHash& table = *document_.headerTable();
        for (const auto& [key, index] : lastLineOfKey) {
            const BmsHeaderOne* entry = table.find(key.c_str());
            if (entry && entry->value() != renumberedValue(headers_[index]))
                newValues_[index] = entry->value();
        }
        for (const std::string& key : table.keys()) {
            if (lastLineOfKey.count(key) == 0)
                newHeaders_.push_back("#" + key + ' ' + table.get(key.c_str()));
        }
    }

    // The line after which a group of new lines goes: the first of the preferred lines
    // that the text has, else its last header or definition line outside the blocks, else
    // kNone for the start of the text.
    std::size_t anchorOf(std::initializer_list<std::size_t> preferred) const
    {
        for (std::size_t line : preferred) {
            if (line != kNone)
                return line;
        }
        for (std::size_t i = headers_.size(); i-- > 0;) {
            if (headers_[i].outsideBlocks && !headers_[i].controlFlow)
                return headers_[i].lineNumber;
        }
        return kNone;
    }

    std::string assemble()
    {
        std::map<std::size_t, std::vector<std::string>> insertions;
        const auto addLines = [&insertions](std::size_t anchor, const std::vector<std::string>& lines) {
            std::vector<std::string>& at = insertions[anchor];
            at.insert(at.end(), lines.begin(), lines.end());
        };
        // The normalised order: headers, then WAV, then BMP definitions.
        addLines(anchorOf({ headerAnchor_ }), newHeaders_);
        addLines(anchorOf({ definitionAnchor_.wav, headerAnchor_ }), newDefinitions_.wav);
        addLines(anchorOf({ definitionAnchor_.bmp, definitionAnchor_.wav, headerAnchor_ }), newDefinitions_.bmp);

        std::string out;
        out.reserve(text_.size() + 4096);
        if (const auto first = insertions.find(kNone); first != insertions.end()) {
            for (const std::string& line : first->second)
                out += line + lineBreak_;
        }
        std::size_t copied = 0;
        const auto copyTo = [&](std::size_t position) {
            out.append(text_, copied, position - copied);
            copied = position;
        };
        std::size_t nextHeader = 0;
        for (std::size_t number = 0; number < lines_.size(); ++number) {
            const TextLine& line = lines_[number];
            const HeaderLine* header = nextHeader < headers_.size() && headers_[nextHeader].lineNumber == number
                ? &headers_[nextHeader++]
                : nullptr;
            if (header && header->definitionKind && !kept_[*header->definitionKind][header->original]) {
                copyTo(line.begin);
                copied = line.end;
                if (!line.hasBreak())
                    dropLastLineBreak(out);
            } else if (header) {
                copyTo(line.begin);
                appendHeaderLine(out, line, *header, nextHeader - 1);
                copied = line.end;
            } else {
                renumberDataLine(out, line, copyTo);
            }
            if (const auto inserted = insertions.find(number);
                inserted != insertions.end() && !inserted->second.empty()) {
                copyTo(std::max(copied, line.end));
                appendInsertedLines(out, line.hasBreak(), inserted->second);
            }
        }
        copyTo(text_.size());
        return out;
    }

    static void dropLastLineBreak(std::string& out)
    {
        if (!out.empty() && out.back() == '\n')
            out.pop_back();
        if (!out.empty() && out.back() == '\r')
            out.pop_back();
    }

    void appendInsertedLines(std::string& out, bool afterBreak, const std::vector<std::string>& lines) const
    {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (!afterBreak)
                out += lineBreak_;
            out += lines[i];
            if (afterBreak)
                out += lineBreak_;
        }
    }

    void appendHeaderLine(std::string& out, const TextLine& line, const HeaderLine& header, std::size_t index) const
    {
        const std::size_t start = out.size();
        const auto newValue = newValues_.find(index);
        if (newValue != newValues_.end()) {
            // The carriage returns before the line break stay with it.
            std::size_t valueEnd = line.contentEnd;
            while (valueEnd > header.valueBegin && text_[valueEnd - 1] == '\r')
                --valueEnd;
            out.append(text_, line.begin, header.valueBegin - line.begin);
            out += newValue->second;
            out.append(text_, valueEnd, line.end - valueEnd);
        } else {
            out.append(text_, line.begin, line.end - line.begin);
        }
        const auto renumberAt = [&](const std::vector<std::size_t>& positions, std::size_t at, DefinitionKind kind) {
            char* first = out.data() + start + (positions[at] - line.begin);
            char* second = out.data() + start + (positions[at + 1] - line.begin);
            const BmsWord old(*first, *second);
            const BmsWord current = renumberingOfKind(kind)[old.value()];
            if (!current.equals(old)) {
                *first = current.high();
                *second = current.low();
            }
        };
        if (header.definitionKind) {
            renumberAt(header.keyPositions, 3, *header.definitionKind);
        } else {
            if (header.references.definedBmpIndexAt != HeaderIndexReferences::kNone)
                renumberAt(header.keyPositions, header.references.definedBmpIndexAt, kKindBmp);
            for (DefinitionKind kind : kDefinitionKinds) {
                if (header.references.valueNamesIndex[kind] && newValue == newValues_.end())
                    renumberAt(header.valuePositions, 0, kind);
            }
        }
    }

    // A data line of a renumbered kind's channel gets the new index of each object in
    // place; any other line is copied as it stands.
    template <typename CopyTo> void renumberDataLine(std::string& out, const TextLine& line, CopyTo& copyTo) const
    {
        LineCursor cursor(text_, line);
        cursor.skipBlanks();
        if (cursor.peekChar() != '#')
            return;
        cursor.take();
        if (!isAsciiDigit(cursor.peekChar()))
            return;
        for (int digit = 0; digit < 3; ++digit)
            cursor.take();
        const std::size_t high = cursor.take();
        const std::size_t low = cursor.take();
        if (high == kNone || low == kNone || cursor.take() == kNone)
            return;
        const std::optional<DefinitionKind> kind
            = kindOfChannel_[static_cast<std::size_t>(base36PairValue(text_[high], text_[low]))];
        if (!kind || !isRenumbered(*kind))
            return;
        copyTo(line.end);
        // The line as copied: its byte at text position p stands at lineOut[p - line.begin].
        char* const lineOut = out.data() + out.size() - (line.end - line.begin);
        const std::uint16_t* const targets = pairTargets_[*kind].data();
        // A pair's two bytes as one number give its new bytes, or 0 when it stays: no
        // branch on whether it moves, which a compacted chart would mispredict at every
        // other object.
        const auto renumberPair = [&](std::size_t first, std::size_t second) {
            const std::uint16_t pair = static_cast<std::uint16_t>(
                static_cast<unsigned char>(text_[first]) | static_cast<unsigned char>(text_[second]) << 8);
            const std::uint16_t target = targets[pair];
            const std::uint16_t written = target != 0 ? target : pair;
            lineOut[first - line.begin] = static_cast<char>(written & 0xFF);
            lineOut[second - line.begin] = static_cast<char>(written >> 8);
        };
        // Straight over the run of objects, then pair by pair where a carriage return
        // stands among them.
        std::size_t at = cursor.peek();
        std::size_t runEnd = at;
        while (runEnd < line.contentEnd && kAlphanumericBytes[static_cast<unsigned char>(text_[runEnd])])
            ++runEnd;
        for (const std::size_t pairsEnd = at + (runEnd - at) / 2 * 2; at < pairsEnd; at += 2)
            renumberPair(at, at + 1);
        LineCursor rest(text_, { at, line.contentEnd, line.end });
        while (true) {
            const std::size_t first = rest.take();
            if (first == kNone || !isAsciiAlphanumeric(text_[first]))
                break;
            const std::size_t second = rest.take();
            if (second == kNone)
                break;
            renumberPair(first, second);
        }
    }

    const BmsBms& document_;
    const std::string& text_;
    PerKind<Renumbering> renumberings_;
    // Per kind: the new bytes of each pair (preparePairTargets), and whether any moves.
    PerKind<std::vector<std::uint16_t>> pairTargets_;
    PerKind<bool> renumbered_ {};
    // The kind whose indices each channel's objects are, if any.
    std::array<std::optional<DefinitionKind>, BmsWord::kValueCount> kindOfChannel_ {};
    std::vector<TextLine> lines_;
    std::string lineBreak_;
    std::vector<HeaderLine> headers_;
    // Whether each original definition's lines stay.
    PerKind<std::array<bool, BmsWord::kValueCount>> kept_ {};
    PerKind<std::vector<std::string>> newDefinitions_;
    PerKind<std::size_t> definitionAnchor_ { kNone, kNone };
    std::size_t headerAnchor_ = kNone;
    std::vector<std::string> newHeaders_;
    // New values by index into headers_.
    std::map<std::size_t, std::string> newValues_;
};

} // namespace

std::string layoutKeepingText(const BmsBms& document)
{
    if (!document.editState().source())
        return chartText(document);
    return LayoutKeepingWriter(document).write();
}
