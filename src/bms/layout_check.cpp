#include "bms/layout_check.h"

#include <string_view>

namespace {

// The words of #RANDOM, #SWITCH and their branches. The reader keeps a control line
// only when it carries a value (the openers always do, "#ENDIF" alone is dropped), so
// the closing words are evidence only when written with a trailing text; they are
// looked for all the same. Order: the most telling word first.
constexpr const char* kControlFlowKeys[] = { "RANDOM", "SETRANDOM", "IF", "ELSEIF", "ELSE", "ENDIF", "ENDRANDOM",
    "SWITCH", "SETSWITCH", "CASE", "DEF", "SKIP", "ENDSW" };

constexpr std::string_view kKeptBase = "36";

std::string_view withoutBlanks(std::string_view text)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

std::string findUnkeepableConstruct(const BmsBms& document)
{
    const BmsHeaderHash& headers = *document.headerTable();
    for (const char* key : kControlFlowKeys) {
        if (headers.find(key)) {
            return std::string("#") + key;
        }
    }
    // Only base 36 survives the upper-casing of every index; any other value is
    // taken as a base the layout cannot keep, "036" included.
    if (const BmsHeaderOne* base = headers.find("BASE")) {
        const std::string_view value = withoutBlanks(base->value());
        if (value != kKeptBase) {
            return "#BASE " + std::string(value);
        }
    }
    return {};
}
