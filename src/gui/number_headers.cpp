#include "gui/number_headers.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* kNumberHeaders[] = { "BPM", "TOTAL" };

} // namespace

bool isNumberHeader(const char* key)
{
    for (const char* name : kNumberHeaders) {
        if (std::strcmp(name, key) == 0)
            return true;
    }
    return false;
}

bool readsAsNumber(const std::string& value)
{
    const std::size_t first = value.find_first_not_of(" \t");
    if (first == std::string::npos)
        return true;
    const std::size_t last = value.find_last_not_of(" \t");
    const std::string number = value.substr(first, last - first + 1);
    char* end = nullptr;
    std::strtod(number.c_str(), &end);
    return end == number.c_str() + number.size();
}

std::vector<std::string> headersNotNumbers(const BmsHeaderHash& headers)
{
    std::vector<std::string> keys;
    for (const char* name : kNumberHeaders) {
        if (!readsAsNumber(headers.get(name)))
            keys.emplace_back(name);
    }
    return keys;
}

std::string notNumbersQuestion(const BmsHeaderHash& headers, const std::vector<std::string>& keys)
{
    std::string text;
    for (const std::string& key : keys)
        text += "#" + key + " " + headers.get(key.c_str()) + " は数値ではありません。\r\n";
    return text + "このまま保存しますか？";
}

void markNumberField(HeaderSet& field, const BmsHeaderHash& headers)
{
    if (!isNumberHeader(field.key()))
        return;
    const std::string label = field.key();
    field.label().setText((readsAsNumber(headers.get(field.key())) ? label : label + " ×").c_str());
}
