#include "editing/missing_files.h"

#include <algorithm>
#include <array>
#include <span>

#include "editing/file_name_rules.h"
#include "model/definition_kind.h"

namespace {

// Players that miss a file try the same name with the other extensions of its kind.
constexpr std::array<std::string_view, 4> kSoundExtensions = { ".wav", ".ogg", ".flac", ".mp3" };
constexpr std::array<std::string_view, 9> kPictureExtensions
    = { ".bmp", ".png", ".jpg", ".jpeg", ".mpg", ".mpeg", ".mp4", ".wmv", ".avi" };
constexpr PerKind<std::span<const std::string_view>> kOtherExtensions { kSoundExtensions, kPictureExtensions };

template <size_t N> bool contains(const std::array<std::string_view, N>& extensions, std::string_view extension)
{
    return std::find(extensions.begin(), extensions.end(), extension) != extensions.end();
}

// The name's own extension, folded; empty when it has none.
std::string foldedExtension(std::string_view name)
{
    const size_t start = extensionStart(name, true);
    return start == std::string_view::npos ? std::string() : foldAsciiCase(name.substr(start), true);
}

std::optional<FoundFile> findWithOtherExtension(
    FileLookup& lookup, const std::string& name, std::span<const std::string_view> extensions)
{
    const size_t start = extensionStart(name, true);
    const std::string stem = name.substr(0, start == std::string::npos ? name.size() : start);
    const std::string ownExtension = foldedExtension(name);
    for (std::string_view extension : extensions) {
        if (extension != ownExtension) {
            if (std::optional<FoundFile> found = lookup.find(stem + std::string(extension)))
                return found;
        }
    }
    return std::nullopt;
}

} // namespace

ListedFolderLookup::ListedFolderLookup(FileLookup& folder, const std::vector<FoundFile>& files)
    : folder_(folder)
{
    // Of names that differ only in case, the first listed stands for them all.
    for (const FoundFile& file : files)
        byFoldedName_.emplace(foldAsciiCase(file.name, true), file);
}

std::optional<FoundFile> ListedFolderLookup::find(const std::string& name)
{
    const std::vector<std::string> components = nameComponents(name, true);
    if (components.size() != 1 || components.front() != name)
        return folder_.find(name);
    const auto file = byFoldedName_.find(foldAsciiCase(name, true));
    if (file == byFoldedName_.end())
        return std::nullopt;
    FoundFile found = file->second;
    found.caseDiffers = found.name != name;
    return found;
}

std::optional<FoundFile> findDefinitionFile(
    FileLookup& lookup, DefinitionKind kind, const std::string& name, bool& otherExtension)
{
    otherExtension = false;
    if (std::optional<FoundFile> file = lookup.find(name))
        return file;
    std::optional<FoundFile> file = findWithOtherExtension(lookup, name, kOtherExtensions[kind]);
    otherExtension = file.has_value();
    return file;
}

std::vector<AbsentFile> findAbsentFiles(
    const BmsBms& document, DefinitionKind kind, FileLookup& lookup, std::set<std::string>* found)
{
    std::vector<AbsentFile> absent;
    const BmsRegistArray& table = *document.table(kind);
    for (int i = 0; i < BmsRegistArray::kSlotCount; ++i) {
        if (!table.hasValue(i))
            continue;
        const BmsWord index(i);
        const std::string name = table.get(index);
        bool otherExtension = false;
        const std::optional<FoundFile> file = findDefinitionFile(lookup, kind, name, otherExtension);
        if (file && found)
            found->insert(file->key);
        if (!otherExtension && file)
            continue;
        absent.push_back({ kind, index, name, file ? std::optional(file->name) : std::nullopt });
    }
    return absent;
}

int countMissingFiles(const BmsBms& document, DefinitionKind kind, FileLookup& lookup)
{
    const std::vector<AbsentFile> absent = findAbsentFiles(document, kind, lookup);
    return static_cast<int>(
        std::count_if(absent.begin(), absent.end(), [](const AbsentFile& file) { return !file.foundAs; }));
}

bool isMediaFileName(std::string_view name)
{
    const std::string extension = foldedExtension(name);
    return contains(kSoundExtensions, extension) || contains(kPictureExtensions, extension);
}
