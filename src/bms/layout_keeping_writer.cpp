#include "bms/layout_keeping_writer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <set>
#include <string_view>
#include <utility>
#include <vector>

#include "bms/bms_input.h"
#include "bms/bms_writer.h"
#include "bms/layout_check.h"
#include "model/ascii_chars.h"
#include "model/definition_kind.h"
#include "model/header_references.h"
#include "model/helpers.h"
#include "model/reference_channels.h"

namespace {

constexpr std::size_t kNone = std::string_view::npos;
using Renumbering = std::array<BmsWord, BmsWord::kValueCount>;

// A header line that the reader stores (a key with a value).
struct HeaderLine {
    std::size_t lineNumber = 0; // index into the source's lines
    const SourceLine* line = nullptr;
    std::size_t valueAt = 0; // SourceHeader's
    std::string key; // as the header table spells it
    std::string_view value; // as the reader stores it
    HeaderIndexReferences references;
    std::optional<DefinitionKind> definitionKind; // of #WAVxx and #BMPxx
    int original = 0; // a definition's index value
    bool outsideBlocks = true; // not inside an #IF or #SWITCH block
    bool controlFlow = false;
};

// The words that open and close the blocks whose lines only some plays read.
int blockDepthChange(const std::string& key)
{
    if (key == "IF" || key == "SWITCH" || key == "SETSWITCH")
        return 1;
    if (key == "ENDIF" || key == "ENDSW")
        return -1;
    return 0;
}

class LayoutKeepingWriter {
public:
    explicit LayoutKeepingWriter(const BmsBms& document)
        : document_(document)
        , source_(*document.editState().source())
        , text_(source_.text)
        , input_(text_)
        , sourceBase_(source_.base)
        , base_(document.indexBase())
    {
        const ChartEditState& state = document.editState();
        for (DefinitionKind kind : kDefinitionKinds) {
            renumberings_[kind] = renumberingOf(state.indices(kind));
            preparePairTargets(kind);
        }
        if (upperCasesHeaderKeyIndices())
            prepareUpperCaseTargets();
        for (int value = 0; value < BmsWord::kValueCount; ++value) {
            for (DefinitionKind kind : kDefinitionKinds) {
                if (isChannelOfKind(BmsWord(value), kind))
                    kindOfChannel_[static_cast<std::size_t>(value)] = kind;
            }
        }
    }

    void write(ChunkedOutput& out)
    {
        lineBreak_ = input_.firstLineBreak();
        scanHeaders();
        decideDefinitions();
        decideHeaders();
        assemble(out);
    }

private:
    static Renumbering renumberingOf(const IndexMapping& mapping)
    {
        Renumbering renumbered;
        for (int value = 0; value < BmsWord::kValueCount; ++value)
            renumbered[value] = mapping.current(value);
        return renumbered;
    }

    // The new bytes of every pair of alphanumerics that targetOf rewrites, indexed by its
    // two bytes (first byte low); 0 for a pair that stays. Returns whether any changes; a
    // table in which none does stays empty, as its kind's lines are copied as they stand.
    template <typename TargetOf> static bool preparePairTable(std::vector<std::uint16_t>& targets, TargetOf targetOf)
    {
        targets.clear();
        for (int first = 0; first < 256; ++first) {
            for (int second = 0; second < 256; ++second) {
                const char high = static_cast<char>(first);
                const char low = static_cast<char>(second);
                if (!isAsciiAlphanumeric(high) || !isAsciiAlphanumeric(low))
                    continue;
                if (const std::optional<BmsWord> target = targetOf(high, low)) {
                    if (targets.empty())
                        targets.assign(std::size_t { 1 } << 16, 0);
                    targets[static_cast<std::size_t>(first | second << 8)] = static_cast<std::uint16_t>(
                        static_cast<unsigned char>(target->high()) | static_cast<unsigned char>(target->low()) << 8);
                }
            }
        }
        return !targets.empty();
    }

    // The pairs whose index moves.
    void preparePairTargets(DefinitionKind kind)
    {
        renumbered_[kind] = preparePairTable(
            pairTargets_[kind], [this, kind](char high, char low) { return rewrittenPair(kind, high, low); });
    }

    // The index that two characters of the text, read in the text's base, are written as
    // now, when their bytes change: when it moved, or when the chart became base 62 and
    // the characters spell it in lower case. A base-36 chart keeps the spelling of an
    // index that stays.
    std::optional<BmsWord> rewrittenPair(DefinitionKind kind, char high, char low) const
    {
        const BmsWord original = sourceBase_.word(high, low);
        const BmsWord current = renumberings_[kind][original.value()];
        const bool rewritten = base_.isCaseSensitive() ? !current.equalsChars(high, low) : !current.equals(original);
        return rewritten ? std::optional<BmsWord>(current) : std::nullopt;
    }

    // A chart switched from base 36 to base 62 writes in upper case the indices that name
    // the other indexed header keys (#BPMxx, #STOPxx): their keys and the objects of
    // channels 08 and 09, which no table renumbers.
    bool upperCasesHeaderKeyIndices() const { return !sourceBase_.isCaseSensitive() && base_.isCaseSensitive(); }
    void prepareUpperCaseTargets()
    {
        preparePairTable(upperCaseTargets_, [](char high, char low) {
            const BmsWord upper(high, low);
            return upper.equalsChars(high, low) ? std::nullopt : std::optional<BmsWord>(upper);
        });
    }

    // The new bytes of the pairs of a data line's channel (see preparePairTargets), or
    // null for a line that is copied as it stands.
    const std::uint16_t* pairTargetsOf(BmsWord channel) const
    {
        if (const std::optional<DefinitionKind> kind = kindOfChannel_[static_cast<std::size_t>(channel.value())])
            return isRenumbered(*kind) ? pairTargets_[*kind].data() : nullptr;
        return upperCasesHeaderKeyIndices() && namesHeaderKeys(channel) ? upperCaseTargets_.data() : nullptr;
    }

    static PerKind<std::array<std::size_t, BmsWord::kValueCount>> noRenamedLines()
    {
        std::array<std::size_t, BmsWord::kValueCount> none;
        none.fill(kNone);
        return { none, none };
    }

    const Renumbering& renumberingOfKind(DefinitionKind kind) const { return renumberings_[kind]; }
    bool isRenumbered(DefinitionKind kind) const { return renumbered_[kind]; }

    void scanHeaders()
    {
        int depth = 0;
        std::size_t headerNumber = 0;
        headers_.reserve(source_.headers.size());
        for (std::size_t number = 0; number < source_.lines.size(); ++number) {
            const SourceLine& line = source_.lines[number];
            if (line.kind != SourceLine::Kind::Header)
                continue;
            const SourceHeader& text = source_.headers[headerNumber++];
            HeaderLine header;
            header.lineNumber = number;
            header.line = &line;
            header.valueAt = text.valueAt;
            header.key = text.key;
            header.value = text.value;
            const int change = blockDepthChange(text.key);
            header.outsideBlocks = depth == 0 && change <= 0;
            depth = std::max(0, depth + change);
            if (text.value.empty())
                continue;
            header.controlFlow = isControlFlowKey(text.key);
            header.references = headerIndexReferences(text.key, text.value);
            for (DefinitionKind kind : kDefinitionKinds) {
                if (document_.table(kind)->matchesKey(text.key.c_str())) {
                    header.definitionKind = kind;
                    const auto [first, second] = charactersAt(line.keyAt, 3);
                    header.original = sourceBase_.word(text_[first], text_[second]).value();
                }
            }
            headers_.push_back(std::move(header));
        }
    }

    // The offsets of the characters count and count + 1 from offset from, as the reader
    // counts characters.
    std::pair<std::size_t, std::size_t> charactersAt(std::size_t from, std::size_t count)
    {
        input_.seek(from);
        for (std::size_t i = 0; i < count; ++i)
            input_.get();
        input_.get();
        const std::size_t first = input_.offset() - 1;
        input_.get();
        return { first, input_.offset() - 1 };
    }

    // A definition's lines stay while the model holds its last name at its current index.
    // A name changed at an index that stays is written over the value of the index's last
    // line, when that line is outside the blocks; the index's other lines go.
    void decideDefinitions()
    {
        for (DefinitionKind kind : kDefinitionKinds) {
            std::array<std::size_t, BmsWord::kValueCount> lastLine;
            lastLine.fill(kNone);
            for (std::size_t i = 0; i < headers_.size(); ++i) {
                const HeaderLine& header = headers_[i];
                if (header.definitionKind == kind) {
                    lastLine[header.original] = i;
                    if (header.outsideBlocks)
                        definitionAnchor_[kind] = header.lineNumber;
                }
            }
            const BmsRegistArray& table = *document_.table(kind);
            std::array<bool, BmsWord::kValueCount> written {};
            for (int original = 0; original < BmsWord::kValueCount; ++original) {
                const BmsWord current = renumberingOfKind(kind)[original];
                if (lastLine[original] == kNone || !table.has(current))
                    continue;
                const HeaderLine& last = headers_[lastLine[original]];
                kept_[kind][original] = last.value == table.get(current);
                if (!kept_[kind][original] && current.value() == original && last.outsideBlocks) {
                    newValues_[lastLine[original]] = table.get(current);
                    renamedLine_[kind][original] = lastLine[original];
                }
                written[current.value()] = kept_[kind][original] || renamedLine_[kind][original] != kNone;
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
        std::string key = header.key;
        const std::size_t at = header.references.definedBmpIndexAt;
        if (at != HeaderIndexReferences::kNone) {
            const BmsWord index = renumberingOfKind(kKindBmp)[sourceBase_.word(key[at], key[at + 1]).value()];
            key[at] = index.high();
            key[at + 1] = index.low();
        }
        return key;
    }
    std::string renumberedValue(const HeaderLine& header) const
    {
        std::string value(header.value);
        for (DefinitionKind kind : kDefinitionKinds) {
            if (!header.references.valueNamesIndex[kind])
                continue;
            if (const std::optional<BmsWord> index = rewrittenPair(kind, value[0], value[1])) {
                value[0] = index->high();
                value[1] = index->low();
            }
        }
        return value;
    }

    // Whether the model's value is the header line's, renumbered, but for the case of the
    // index that starts it: in base 36 an index that went and came back (an undone swap)
    // is spelled in upper case in the model, which the line takes without losing the rest
    // of its bytes.
    bool differsInIndexCaseOnly(const HeaderLine& header, std::string_view text, std::string_view model) const
    {
        const bool namesIndex = header.references.valueNamesIndex.wav || header.references.valueNamesIndex.bmp;
        if (!namesIndex || sourceBase_.isCaseSensitive() || base_.isCaseSensitive() || text.size() != model.size())
            return false;
        return asciiUpperCase(text[0]) == asciiUpperCase(model[0])
            && asciiUpperCase(text[1]) == asciiUpperCase(model[1]) && text.substr(2) == model.substr(2);
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
        // A chart whose base changed loses every #BASE line; base 62 gets its own before
        // the definitions (assemble).
        if (baseChanged()) {
            lastLineOfKey.erase("BASE");
            for (const HeaderLine& header : headers_) {
                if (header.key == "BASE")
                    droppedLines_.insert(header.lineNumber);
            }
        }
        const BmsHeaderHash& table = *document_.headerTable();
        for (const auto& [key, index] : lastLineOfKey) {
            const BmsHeaderOne* entry = table.find(key.c_str());
            if (!entry)
                continue;
            const std::string text = renumberedValue(headers_[index]);
            if (text == entry->value())
                continue;
            if (differsInIndexCaseOnly(headers_[index], text, entry->value()))
                respelledValues_[index] = std::string(entry->value(), 2);
            else
                newValues_[index] = entry->value();
        }
        for (const std::string& key : table.keys()) {
            if (lastLineOfKey.count(key) == 0 && !(key == "BASE" && baseChanged()))
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

    bool baseChanged() const { return !(sourceBase_ == base_); }

    // The line after which "#BASE 62" goes: before the first definition, so that a player
    // that reads the text once knows the base before any index; after the headers in a
    // text without definitions.
    std::size_t baseLineAnchor() const
    {
        for (const HeaderLine& header : headers_) {
            if (header.definitionKind)
                return header.lineNumber == 0 ? kNone : header.lineNumber - 1;
        }
        return anchorOf({ headerAnchor_ });
    }

    // Dropping a last line takes back the line break before it (dropLastLineBreak), so
    // that much of what was written stays pending whenever chunks go on.
    static constexpr std::size_t kLineBreakBytes = 2;

    void assemble(ChunkedOutput& out)
    {
        std::map<std::size_t, std::vector<std::string>> insertions;
        const auto addLines = [&insertions](std::size_t anchor, const std::vector<std::string>& lines) {
            std::vector<std::string>& at = insertions[anchor];
            at.insert(at.end(), lines.begin(), lines.end());
        };
        if (baseChanged() && base_.isCaseSensitive())
            addLines(baseLineAnchor(), { "#BASE 62" });
        // The normalised order: headers, then WAV, then BMP definitions.
        addLines(anchorOf({ headerAnchor_ }), newHeaders_);
        addLines(anchorOf({ definitionAnchor_.wav, headerAnchor_ }), newDefinitions_.wav);
        addLines(anchorOf({ definitionAnchor_.bmp, definitionAnchor_.wav, headerAnchor_ }), newDefinitions_.bmp);

        out.expect(text_.size() + 4096);
        if (const auto first = insertions.find(kNone); first != insertions.end()) {
            for (const std::string& line : first->second) {
                out.append(line);
                out.append(lineBreak_);
            }
        }
        // The text's own bytes go on as they are copied; only the lines written anew or
        // renumbered are changed while pending.
        std::size_t copied = 0;
        const auto copyTo = [&](std::size_t position) {
            out.appendSettled(std::string_view(text_).substr(copied, position - copied), kLineBreakBytes);
            copied = position;
        };
        std::size_t nextHeader = 0;
        for (std::size_t number = 0; number < source_.lines.size(); ++number) {
            const SourceLine& line = source_.lines[number];
            const HeaderLine* header = nextHeader < headers_.size() && headers_[nextHeader].lineNumber == number
                ? &headers_[nextHeader++]
                : nullptr;
            const bool droppedDefinition = header && header->definitionKind
                && !kept_[*header->definitionKind][header->original]
                && renamedLine_[*header->definitionKind][header->original] != nextHeader - 1;
            // Dropping a last line that has no break takes the break before it along; lines
            // added after it bring that break back first.
            std::string droppedBreak;
            if (droppedDefinition || (header && droppedLines_.count(number))) {
                copyTo(line.begin);
                copied = line.end(text_);
                if (!line.hasBreak(text_))
                    droppedBreak = dropLastLineBreak(out.pending());
            } else if (header) {
                copyTo(line.begin);
                appendHeaderLine(out.pending(), *header, nextHeader - 1);
                copied = line.end(text_);
            } else if (line.kind == SourceLine::Kind::Data) {
                renumberDataLine(out, line, copied, copyTo);
            }
            if (const auto inserted = insertions.find(number);
                inserted != insertions.end() && !inserted->second.empty()) {
                copyTo(std::max<std::size_t>(copied, line.end(text_)));
                appendInsertedLines(out, line.hasBreak(text_), droppedBreak, inserted->second);
            }
        }
        copyTo(text_.size());
    }

    // Returns the break it took off.
    static std::string dropLastLineBreak(std::string& out)
    {
        std::size_t breakAt = out.size();
        if (breakAt > 0 && out[breakAt - 1] == '\n')
            --breakAt;
        if (breakAt > 0 && out[breakAt - 1] == '\r')
            --breakAt;
        std::string dropped = out.substr(breakAt);
        out.resize(breakAt);
        return dropped;
    }

    // After a line without a break, each added line comes after a break of its own; the
    // first one after `firstBreak` when that is given, and after none when nothing comes
    // before it (the text's only line went).
    void appendInsertedLines(
        ChunkedOutput& out, bool afterBreak, std::string_view firstBreak, const std::vector<std::string>& lines) const
    {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (!afterBreak && !(i == 0 && out.empty()))
                out.append(i == 0 && !firstBreak.empty() ? firstBreak : std::string_view(lineBreak_));
            out.append(lines[i]);
            if (afterBreak)
                out.append(lineBreak_);
        }
    }

    void appendHeaderLine(std::string& out, const HeaderLine& header, std::size_t index)
    {
        const SourceLine& line = *header.line;
        const std::size_t start = out.size();
        const auto newValue = newValues_.find(index);
        if (newValue != newValues_.end()) {
            // The carriage returns before the line break stay with it, and so does what
            // follows a NUL, which ends the value as the reader takes it.
            std::size_t valueEnd = line.contentEnd;
            while (valueEnd > header.valueAt && text_[valueEnd - 1] == '\r')
                --valueEnd;
            valueEnd = std::min(valueEnd, text_.find('\0', header.valueAt));
            out.append(text_, line.begin, header.valueAt - line.begin);
            out += newValue->second;
            out.append(text_, valueEnd, line.end(text_) - valueEnd);
        } else {
            out.append(text_, line.begin, line.end(text_) - line.begin);
        }
        const auto renumberAt = [&](std::size_t from, std::size_t at, DefinitionKind kind) {
            const auto [firstAt, secondAt] = charactersAt(from, at);
            char* first = out.data() + start + (firstAt - line.begin);
            char* second = out.data() + start + (secondAt - line.begin);
            if (const std::optional<BmsWord> current = rewrittenPair(kind, *first, *second)) {
                *first = current->high();
                *second = current->low();
            }
        };
        if (header.definitionKind) {
            renumberAt(line.keyAt, 3, *header.definitionKind);
        } else if (const std::size_t at = keyIndexAt(header.key); upperCasesHeaderKeyIndices()
                   && at != HeaderIndexReferences::kNone && at != header.references.definedBmpIndexAt) {
            const auto [firstAt, secondAt] = charactersAt(line.keyAt, at);
            for (const std::size_t offset : { firstAt, secondAt }) {
                char& c = out[start + (offset - line.begin)];
                c = asciiUpperCase(c);
            }
        } else {
            if (header.references.definedBmpIndexAt != HeaderIndexReferences::kNone)
                renumberAt(line.keyAt, header.references.definedBmpIndexAt, kKindBmp);
            for (DefinitionKind kind : kDefinitionKinds) {
                if (header.references.valueNamesIndex[kind] && newValue == newValues_.end())
                    renumberAt(header.valueAt, 0, kind);
            }
            if (const auto respelled = respelledValues_.find(index); respelled != respelledValues_.end()) {
                const auto [firstAt, secondAt] = charactersAt(header.valueAt, 0);
                out[start + (firstAt - line.begin)] = respelled->second[0];
                out[start + (secondAt - line.begin)] = respelled->second[1];
            }
        }
    }

    // A data line of a renumbered kind's channel gets the new index of each object in
    // place, as does one of channel 08 or 09 that takes upper case; any other line is
    // copied as it stands.
    template <typename CopyTo>
    void renumberDataLine(ChunkedOutput& out, const SourceLine& line, std::size_t& copied, CopyTo& copyTo)
    {
        const std::uint16_t* const targets = pairTargetsOf(line.channel);
        if (!targets)
            return;
        copyTo(line.begin);
        const std::size_t end = line.end(text_);
        // The line stays pending whole while its pairs change.
        out.append(std::string_view(text_).substr(line.begin, end - line.begin));
        copied = end;
        // The line as copied: its byte at text position p stands at lineOut[p - line.begin].
        std::string& pending = out.pending();
        char* const lineOut = pending.data() + pending.size() - (end - line.begin);
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
        std::size_t at = line.keyAt;
        std::size_t runEnd = at;
        while (runEnd < line.contentEnd && isAlphanumericByte(static_cast<unsigned char>(text_[runEnd])))
            ++runEnd;
        for (const std::size_t pairsEnd = at + (runEnd - at) / 2 * 2; at < pairsEnd; at += 2)
            renumberPair(at, at + 1);
        input_.seek(at);
        while (isAlphanumericByte(input_.get())) {
            const std::size_t first = input_.offset() - 1;
            if (!isAlphanumericByte(input_.get()))
                break;
            renumberPair(first, input_.offset() - 1);
        }
    }

    const BmsBms& document_;
    const ChartSource& source_;
    const std::string& text_;
    // The text as the reader sees it, for the characters of a line.
    BmsInput input_;
    // The base the text was read in, and the chart's base now.
    IndexBase sourceBase_;
    IndexBase base_;
    PerKind<Renumbering> renumberings_;
    // Per kind: the new bytes of each pair (preparePairTargets), and whether any moves.
    PerKind<std::vector<std::uint16_t>> pairTargets_;
    // The same for the pairs that take upper case (prepareUpperCaseTargets).
    std::vector<std::uint16_t> upperCaseTargets_;
    PerKind<bool> renumbered_ {};
    // The kind whose indices each channel's objects are, if any.
    std::array<std::optional<DefinitionKind>, BmsWord::kValueCount> kindOfChannel_ {};
    std::string lineBreak_;
    std::vector<HeaderLine> headers_;
    // Whether each original definition's lines stay.
    PerKind<std::array<bool, BmsWord::kValueCount>> kept_ {};
    // Per kind and original index: the renamed definition's line (index into headers_), or kNone.
    PerKind<std::array<std::size_t, BmsWord::kValueCount>> renamedLine_ = noRenamedLines();
    PerKind<std::vector<std::string>> newDefinitions_;
    PerKind<std::size_t> definitionAnchor_ { kNone, kNone };
    std::size_t headerAnchor_ = kNone;
    std::vector<std::string> newHeaders_;
    // Lines of the text that go whatever their key (numbers into the source's lines).
    std::set<std::size_t> droppedLines_;
    // New values by index into headers_.
    std::map<std::size_t, std::string> newValues_;
    // Header lines whose value keeps its bytes but takes the model's spelling of the index
    // that starts it.
    std::map<std::size_t, std::string> respelledValues_;
};

} // namespace

void writeLayoutKeepingText(const BmsBms& document, ChunkedOutput& out)
{
    if (!document.editState().source())
        writeChartText(document, out);
    else
        LayoutKeepingWriter(document).write(out);
}

std::string layoutKeepingText(const BmsBms& document)
{
    return ChunkedOutput::collect([&document](ChunkedOutput& out) { writeLayoutKeepingText(document, out); });
}
