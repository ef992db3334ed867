#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <unordered_map>

#include "editing/file_name_rules.h"
#include "paths/path_parts.h"
#include "platform/chart_folder.h"
#include "platform/text_encoding.h"

namespace {

// One directory's entries, read once.
struct Listing {
    // Every entry by name: whether it is a directory (a link counts as what it names).
    std::unordered_map<std::string, bool> isDirectory;
    // The entries in name order.
    std::vector<std::string> names;
    // An entry by its name with ASCII case folded, read as UTF-8 ([0]) or as raw code
    // page 932 bytes ([1]); of names that differ only in case, the first in name order.
    std::unordered_map<std::string, std::string> byFoldedName[2];
    // Why the directory could not be read; empty when it was.
    std::string error;

    // The entry that a name of a definition stands for.
    const std::string* match(const std::string& wanted, bool doubleByte) const
    {
        if (const auto exact = isDirectory.find(wanted); exact != isDirectory.end()) {
            return &exact->first;
        }
        const auto& folded = byFoldedName[doubleByte ? 1 : 0];
        const auto entry = folded.find(foldAsciiCase(wanted, doubleByte));
        return entry != folded.end() ? &entry->second : nullptr;
    }
};

} // namespace

struct ChartFolder::Lookup {
    // With its trailing separator; empty for the current directory.
    std::string directory;
    std::map<std::string, std::unique_ptr<Listing>> listings;
    // The unreadable directories met since the last takeUnreadFolders(), with why.
    std::set<std::string> unread;

    // The listing of path, which is noted in unread when it could not be read.
    const Listing& listingOf(const std::string& path);
    // listingOf(directory): a chart's definitions mostly name files of its own folder,
    // so its listing is kept at hand once it has been read without an error.
    const Listing& ownListing();
    const Listing& readListing(const std::string& path);
    // The file that a name read as code page 932 (doubleByte) or UTF-8 names.
    std::optional<FoundFile> findName(const std::string& name, bool doubleByte);
    std::optional<FoundFile> findComponents(const std::vector<std::string>& components, bool doubleByte);

private:
    const Listing* ownListing_ = nullptr;
};

const Listing& ChartFolder::Lookup::listingOf(const std::string& path)
{
    const Listing& listing = readListing(path);
    if (!listing.error.empty()) {
        const std::string shown = path.empty() ? "." : path.substr(0, path.size() - (path.back() == '/' ? 1 : 0));
        unread.insert("cannot read the folder " + shown + ": " + listing.error);
    }
    return listing;
}

const Listing& ChartFolder::Lookup::ownListing()
{
    if (ownListing_) {
        return *ownListing_;
    }
    const Listing& listing = listingOf(directory);
    if (listing.error.empty()) {
        ownListing_ = &listing;
    }
    return listing;
}

const Listing& ChartFolder::Lookup::readListing(const std::string& path)
{
    std::unique_ptr<Listing>& listing = listings[path];
    if (listing) {
        return *listing;
    }
    listing = std::make_unique<Listing>();
    std::error_code error;
    std::filesystem::directory_iterator entries(path.empty() ? "." : path, error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        // The entry's type comes from the listing; only a link is looked up. A link to
        // nothing is no file a player could load.
        std::error_code statusError;
        const bool exists = entries->exists(statusError);
        if (statusError || !exists) {
            continue;
        }
        std::string name = entries->path().filename().string();
        listing->isDirectory.emplace(name, entries->is_directory(statusError));
        listing->names.push_back(std::move(name));
    }
    if (error) {
        listing->error = error.message();
    }
    std::sort(listing->names.begin(), listing->names.end());
    for (const std::string& name : listing->names) {
        listing->byFoldedName[0].emplace(foldAsciiCase(name, false), name);
        listing->byFoldedName[1].emplace(foldAsciiCase(name, true), name);
    }
    return *listing;
}

std::optional<FoundFile> ChartFolder::Lookup::findName(const std::string& name, bool doubleByte)
{
    // Most names are a file of the chart's own folder: without a separator byte (which
    // a double-byte character may hold too) or a dot part, the name is its one component.
    const bool plainName
        = !name.empty() && name != "." && name != ".." && std::none_of(name.begin(), name.end(), isPathSeparator);
    if (!plainName) {
        return findComponents(nameComponents(name, doubleByte), doubleByte);
    }
    const Listing& listing = ownListing();
    const std::string* entry = listing.match(name, doubleByte);
    if (!entry || listing.isDirectory.at(*entry)) {
        return std::nullopt;
    }
    return FoundFile { *entry, *entry, *entry != name };
}

std::optional<FoundFile> ChartFolder::Lookup::findComponents(
    const std::vector<std::string>& components, bool doubleByte)
{
    std::string relative;
    bool caseDiffers = false;
    for (size_t i = 0; i < components.size(); ++i) {
        const bool last = i + 1 == components.size();
        const std::string* part = &components[i];
        if (*part == "." && !last) {
            continue;
        }
        if (*part != "." && *part != "..") {
            const Listing& listing = relative.empty() ? ownListing() : listingOf(directory + relative);
            const std::string* entry = listing.match(*part, doubleByte);
            if (!entry || listing.isDirectory.at(*entry) == last) {
                return std::nullopt;
            }
            caseDiffers = caseDiffers || *entry != *part;
            part = entry;
        } else if (last) {
            return std::nullopt;
        }
        relative += *part;
        if (!last) {
            relative += '/';
        }
    }
    if (relative.empty()) {
        return std::nullopt;
    }
    return FoundFile { relative, relative, caseDiffers };
}

ChartFolder::ChartFolder(const std::string& chartPath)
    : lookup_(std::make_unique<Lookup>())
{
    lookup_->directory = directoryPart(chartPath, false);
}

ChartFolder::~ChartFolder() = default;

std::optional<FoundFile> ChartFolder::find(const std::string& name)
{
    if (std::optional<FoundFile> found = lookup_->findName(name, true)) {
        return found;
    }
    const std::string utf8 = cp932ToUtf8(name);
    if (utf8 == name) {
        return std::nullopt;
    }
    return lookup_->findName(utf8, false);
}

std::vector<FoundFile> ChartFolder::files()
{
    const Listing& listing = lookup_->listingOf(lookup_->directory);
    std::vector<FoundFile> found;
    for (const std::string& name : listing.names) {
        if (!listing.isDirectory.at(name)) {
            found.push_back({ name, name });
        }
    }
    return found;
}

std::vector<std::string> ChartFolder::takeUnreadFolders()
{
    std::vector<std::string> unread(lookup_->unread.begin(), lookup_->unread.end());
    lookup_->unread.clear();
    return unread;
}
