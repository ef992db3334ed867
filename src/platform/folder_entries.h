#pragma once

// What the walk over chart folders asks of the platform: what a path is, the entries
// of a folder, and an identity that is the same for every path to one folder (so that
// a link that leads back up the tree is seen). Paths are narrow: UTF-8 or raw bytes on
// Linux, the ANSI code page on Windows.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Other: a device, a pipe or a socket, which a read could wait on for ever.
enum class PathKind { Missing, File, Folder, Other };

// What path names, following links; Missing also for a link that leads nowhere.
PathKind kindOfPath(const std::string& path);

// The size of the file at path in bytes; nothing when it cannot be had.
std::optional<std::uint64_t> fileSize(const std::string& path);

struct FolderEntry {
    std::string name;
    PathKind kind;
    // The name has no form that the narrow file functions take (Windows: a character
    // that the ANSI code page lacks); such an entry cannot be opened.
    bool unnamable = false;
};

// The entries of the folder (without "." and ".."), in no particular order; nothing
// with the system's reason in error when it cannot be read.
std::optional<std::vector<FolderEntry>> folderEntries(const std::string& path, std::string& error);

struct FolderIdentity {
    std::uint64_t device = 0;
    std::uint64_t node = 0;
    bool operator==(const FolderIdentity&) const = default;
};

std::optional<FolderIdentity> folderIdentity(const std::string& path);

// The separator that joins a folder and an entry's name.
constexpr char kPathSeparator =
#ifdef _WIN32
    '\\';
#else
    '/';
#endif
