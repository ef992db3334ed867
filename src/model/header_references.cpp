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

// The offset of xx in BGAxx or @BGAxx, or kNone.
std::size_t imagePartIndexAt(std::string_view key)
{
    const std::size_t prefix = !key.empty() && key.front() == '@' ? 4 : 3;
    if (key.size() != prefix + 2 || !equalsIgnoringCase(key.substr(prefix - 3, 3), "BGA"))
        return HeaderIndexReferences::kNone;
    if (!isAsciiAlphanumeric(key[prefix]) || !isAsciiAlphanumeric(key[prefix + 1]))
        return HeaderIndexReferences::kNone;
    return prefix;
}

} // namespace

HeaderIndexReferences headerIndexReferences(std::string_view key, std::string_view value)
{
    HeaderIndexReferences references;
    if (equalsIgnoringCase(key, "LNOBJ")) {
        references.valueNamesIndex.wav = startsWithIndex(value);
        return references;
    }
    references.definedBmpIndexAt = imagePartIndexAt(key);
    if (references.definedBmpIndexAt != HeaderIndexReferences::kNone)
        references.valueNamesIndex.bmp = startsWithIndex(value);
    return references;
}
