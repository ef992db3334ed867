#include "editing/file_name_rules.h"

#include <algorithm>
#include <array>

#include "model/ascii_chars.h"
#include "paths/path_parts.h"

namespace {

// Bytes of the character at name[i]: without doubleByte every byte is a character.
size_t nameCharacterLength(std::string_view name, size_t i, bool doubleByte)
{
    return doubleByte ? characterLength(name, i) : 1;
}

} // namespace

std::vector<std::string> nameComponents(std::string_view name, bool doubleByte)
{
    std::vector<std::string> components;
    std::string component;
    for (size_t i = 0; i < name.size();) {
        const size_t length = nameCharacterLength(name, i, doubleByte);
        if (length == 1 && isPathSeparator(name[i])) {
            if (!component.empty()) {
                components.push_back(std::move(component));
            }
            component.clear();
        } else {
            component.append(name.substr(i, length));
        }
        i += length;
    }
    if (!component.empty()) {
        components.push_back(std::move(component));
    }
    return components;
}

std::string foldAsciiCase(std::string_view name, bool doubleByte)
{
    std::string folded(name);
    for (size_t i = 0; i < folded.size();) {
        const size_t length = nameCharacterLength(folded, i, doubleByte);
        if (length == 1 && folded[i] >= 'A' && folded[i] <= 'Z') {
            folded[i] = static_cast<char>(folded[i] - 'A' + 'a');
        }
        i += length;
    }
    return folded;
}

size_t extensionStart(std::string_view name, bool doubleByte)
{
    size_t dot = std::string_view::npos;
    for (size_t i = 0; i < name.size();) {
        const size_t length = nameCharacterLength(name, i, doubleByte);
        if (length == 1 && name[i] == '.') {
            dot = i;
        } else if (length == 1 && isPathSeparator(name[i])) {
            dot = std::string_view::npos;
        }
        i += length;
    }
    return dot;
}

std::string directoryPart(std::string_view path, bool doubleByte)
{
    size_t end = 0;
    for (size_t i = 0; i < path.size();) {
        const size_t length = nameCharacterLength(path, i, doubleByte);
        // A drive such as "C:" counts as a directory of its own: "C:a.bms" lies in C:.
        const bool drive = doubleByte && i == 1 && path[i] == ':' && isAsciiLetter(path[0]);
        if (length == 1 && (isPathSeparator(path[i]) || drive)) {
            end = i + 1;
        }
        i += length;
    }
    return std::string(path.substr(0, end));
}

bool isChartFileName(std::string_view name, bool doubleByte)
{
    constexpr std::array<std::string_view, 4> kChartExtensions = { ".bms", ".bme", ".bml", ".pms" };
    const size_t start = extensionStart(name, doubleByte);
    if (start == std::string_view::npos)
        return false;
    const std::string extension = foldAsciiCase(name.substr(start), doubleByte);
    return std::find(kChartExtensions.begin(), kChartExtensions.end(), extension) != kChartExtensions.end();
}
