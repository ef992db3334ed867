#ifndef _WIN32

#include <algorithm>
#include <filesystem>
#include <unordered_map>

#include "cli/chart_folder.h"
#include "cli/file_name_rules.h"
#include "cli/text_encoding.h"

struct ChartFolder::Listing {
    // Every entry by name: whether it is a directory (a link counts as what it names).
    std::unordered_map<std::string, bool> isDirectory;
    std::vector<std::string> names;
};

namespace {

// Names taken apart on Linux are UTF-8 or raw bytes whose double-byte pairs are left alone.
std::optional<std::string> matchingEntry(const std::vector<std::string>& names,
    const std::unordered_map<std::string, bool>& isDirectory, const std::string& wanted, bool doubleByte)
{
    if (isDirectory.count(wanted) != 0) {
        return wanted;
    }
    const std::string folded = foldAsciiCase(wanted, doubleByte);
    for (const std::string& name : names) {
        if (name.size() == wanted.size() && foldAsciiCase(name, doubleByte) == folded) {
            return name;
        }
    }
    return std::nullopt;
}

} // namespace

ChartFolder::ChartFolder(const std::string& chartPath)
    : directory_(directoryPart(chartPath, false))
{
}

ChartFolder::~ChartFolder() = default;

const ChartFolder::Listing& ChartFolder::listingOf(const std::string& directory)
{
    std::unique_ptr<Listing>& listing = listings_[directory];
    if (!listing) {
        listing = std::make_unique<Listing>();
        std::error_code error;
        std::filesystem::directory_iterator entries(directory.empty() ? "." : directory, error);
        for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
            std::error_code typeError;
            std::string name = entries->path().filename().string();
            listing->isDirectory.emplace(name, entries->is_directory(typeError));
            listing->names.push_back(std::move(name));
        }
        // A case-insensitive match picks the same entry whatever order the system lists.
        std::sort(listing->names.begin(), listing->names.end());
    }
    return *listing;
}

std::optional<FoundFile> ChartFolder::findComponents(const std::vector<std::string>& components, bool doubleByte)
{
    std::string relative;
    for (size_t i = 0; i < components.size(); ++i) {
        const bool last = i + 1 == components.size();
        std::string part = components[i];
        if (part == "." && !last) {
            continue;
        }
        if (part != "." && part != "..") {
            const Listing& listing = listingOf(directory_ + relative);
            const std::optional<std::string> entry
                = matchingEntry(listing.names, listing.isDirectory, part, doubleByte);
            if (!entry || listing.isDirectory.at(*entry) == last) {
                return std::nullopt;
            }
            part = *entry;
        } else if (last) {
            return std::nullopt;
        }
        relative += part;
        if (!last) {
            relative += '/';
        }
    }
    if (relative.empty()) {
        return std::nullopt;
    }
    return FoundFile { relative, relative };
}

std::optional<FoundFile> ChartFolder::find(const std::string& name)
{
    if (std::optional<FoundFile> found = findComponents(nameComponents(name, true), true)) {
        return found;
    }
    const std::string utf8 = cp932ToUtf8(name);
    if (utf8 == name) {
        return std::nullopt;
    }
    return findComponents(nameComponents(utf8, false), false);
}

std::vector<FoundFile> ChartFolder::files()
{
    const Listing& listing = listingOf(directory_);
    std::vector<FoundFile> found;
    for (const std::string& name : listing.names) {
        if (!listing.isDirectory.at(name)) {
            found.push_back({ name, name });
        }
    }
    return found;
}

#endif
