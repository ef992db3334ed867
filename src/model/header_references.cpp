#include "model/header_references.h"

#include "model/ascii_chars.h"

namespace {

bool equalsIgnoringCase(std::string_view text, std::string_view upper)
{
    if (text.size() != upper.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (asciiUpperCase(text[i]) != upper[i])
            return false;
    }
    return true;
}

bool startsWithIndex(std::string_view value)
{
    return value.size() >= 2 && isAsciiAlphanumeric(value[0]) && isAsciiAlphanumeric(value[1])
        && (value.size() == 2 || value[2] == ' ' || value[2] == '\t');
}

bool isImagePartKey(std::string_view key, std::size_t indexAt)
{
    if (indexAt == HeaderIndexReferences::kNone)
        return false;
    const std::string_view word = key.substr(0, indexAt);
    return equalsIgnoringCase(word, "BGA") || equalsIgnoringCase(word, "@BGA");
}

} // namespace

std::size_t keyIndexAt(std::string_view key)
{
    // The headers that define something for an index, which channel data or a player's
    // options name by it.
    for (std::string_view word : { "BGA", "@BGA", "BPM", "STOP", "EXBPM", "TEXT", "SONG", "ARGB", "SWBGA", "EXWAV",
             "EXBMP", "EXRANK", "CHANGEOPTION", "SCROLL", "SPEED", "SEEK" }) {
        if (key.size() == word.size() + 2 && equalsIgnoringCase(key.substr(0, word.size()), word)
            && isAsciiAlphanumeric(key[word.size()]) && isAsciiAlphanumeric(key[word.size() + 1]))
            return word.size();
    }
    return HeaderIndexReferences::kNone;
}

std::string headerTableKey(std::string_view key, IndexBase base)
{
    std::string tableKey(key);
    const std::size_t keptFrom = base.isCaseSensitive() ? keyIndexAt(key) : HeaderIndexReferences::kNone;
    for (std::size_t i = 0; i < tableKey.size() && i < keptFrom; ++i)
        tableKey[i] = asciiUpperCase(tableKey[i]);
    return tableKey;
}

HeaderIndexReferences headerIndexReferences(std::string_view key, std::string_view value)
{
    HeaderIndexReferences references;
    if (equalsIgnoringCase(key, "LNOBJ")) {
        references.valueNamesIndex.wav = startsWithIndex(value);
        return references;
    }
    const std::size_t indexAt = keyIndexAt(key);
    if (isImagePartKey(key, indexAt)) {
        references.definedBmpIndexAt = indexAt;
        references.valueNamesIndex.bmp = startsWithIndex(value);
    }
    return references;
}
