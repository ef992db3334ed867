#include <windows.h>

#include "platform/folder_entries.h"
#include "platform/windows_handles.h"

namespace {

// The system's text for the last error, without its line end.
std::string lastErrorText()
{
    char text[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        GetLastError(), 0, text, sizeof text, nullptr);
    std::string message(text, length);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' ')) {
        message.pop_back();
    }
    return message.empty() ? "unknown error" : message;
}

// Opens a file or a folder for its attributes only.
HANDLE openForAttributes(const std::string& path)
{
    return CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
        FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

} // namespace

PathKind kindOfPath(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return PathKind::Missing;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::Folder : PathKind::File;
}

std::optional<std::uint64_t> fileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::optional<std::vector<FolderEntry>> folderEntries(const std::string& path, std::string& error)
{
    WIN32_FIND_DATAA entry;
    const FindHandle search(FindFirstFileA((path + "\\*").c_str(), &entry));
    if (!search.valid()) {
        error = lastErrorText();
        return std::nullopt;
    }
    std::vector<FolderEntry> entries;
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") {
            continue;
        }
        const PathKind kind
            = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::Folder : PathKind::File;
        // A character that the ANSI code page lacks comes back as "?", which no
        // Windows name holds.
        entries.push_back({ name, kind, name.find('?') != std::string::npos });
    } while (FindNextFileA(search.get(), &entry));
    if (GetLastError() != ERROR_NO_MORE_FILES) {
        error = lastErrorText();
        return std::nullopt;
    }
    return entries;
}

std::optional<FolderIdentity> folderIdentity(const std::string& path)
{
    const FileHandle folder(openForAttributes(path));
    BY_HANDLE_FILE_INFORMATION information;
    if (!folder.valid() || !GetFileInformationByHandle(folder.get(), &information)) {
        return std::nullopt;
    }
    return FolderIdentity { information.dwVolumeSerialNumber,
        (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow };
}
