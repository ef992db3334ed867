#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

#include "platform/folder_entries.h"

namespace {

struct FolderCloser {
    void operator()(DIR* folder) const { closedir(folder); }
};

PathKind kindOfStatus(const struct stat& status)
{
    if (S_ISDIR(status.st_mode)) {
        return PathKind::Folder;
    }
    return S_ISREG(status.st_mode) ? PathKind::File : PathKind::Other;
}

} // namespace

PathKind kindOfPath(const std::string& path)
{
    struct stat status;
    return stat(path.c_str(), &status) == 0 ? kindOfStatus(status) : PathKind::Missing;
}

std::optional<std::uint64_t> fileSize(const std::string& path)
{
    struct stat status;
    if (stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(status.st_size);
}

std::optional<std::vector<FolderEntry>> folderEntries(const std::string& path, std::string& error)
{
    const std::unique_ptr<DIR, FolderCloser> folder(opendir(path.c_str()));
    if (!folder) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    std::vector<FolderEntry> entries;
    errno = 0;
    while (const dirent* entry = readdir(folder.get())) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        // The type from the listing saves a look at every file; a link or an unknown
        // type counts as what it names.
        PathKind kind = PathKind::Other;
        if (entry->d_type == DT_REG) {
            kind = PathKind::File;
        } else if (entry->d_type == DT_DIR) {
            kind = PathKind::Folder;
        } else if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            kind = kindOfPath(path + kPathSeparator + name);
        }
        entries.push_back({ name, kind });
        errno = 0;
    }
    if (errno != 0) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    return entries;
}

std::optional<FolderIdentity> folderIdentity(const std::string& path)
{
    struct stat status;
    if (stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return FolderIdentity { static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino) };
}
