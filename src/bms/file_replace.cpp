#include "bms/file_replace.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>

#ifdef _WIN32
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// The few steps of a save that differ between the platforms. Every call is the
// narrow variant: the path bytes reach the system unconverted.
#ifdef _WIN32
std::string resolvedTarget(const char* path)
{
    return path;
}

bool targetIsWritable(const char* path)
{
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        errno = EACCES;
        return false;
    }
    return true;
}

unsigned long processNumber()
{
    return GetCurrentProcessId();
}

int createExclusive(const char* path)
{
    return _open(path, _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}

FILE* streamFor(int descriptor)
{
    return _fdopen(descriptor, "wb");
}
void closeDescriptor(int descriptor)
{
    _close(descriptor);
}
bool adoptTargetPermissions(int, const char*)
{
    return true;
}
bool commitToDisk(FILE* stream)
{
    return _commit(_fileno(stream)) == 0;
}

// The reason goes to errno, where the callers look for it on every platform.
bool moveOver(const char* from, const char* to)
{
    if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    const DWORD error = GetLastError();
    errno = (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION) ? EACCES : EIO;
    return false;
}
#else
// A link is followed, as writing through it would, so that the link itself survives.
std::string resolvedTarget(const char* path)
{
    struct stat status;
    if (lstat(path, &status) != 0 || !S_ISLNK(status.st_mode)) {
        return path;
    }
    std::unique_ptr<char, decltype(&std::free)> real(realpath(path, nullptr), &std::free);
    return real ? std::string(real.get()) : std::string(path);
}

// A file the user may not write stays as it is, although the directory would let
// the rename replace it.
bool targetIsWritable(const char* path)
{
    return access(path, F_OK) != 0 || access(path, W_OK) == 0;
}

unsigned long processNumber()
{
    return static_cast<unsigned long>(getpid());
}

// Created like any new file (0666 less the umask); the target's bits follow below.
int createExclusive(const char* path)
{
    return open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

FILE* streamFor(int descriptor)
{
    return fdopen(descriptor, "wb");
}
void closeDescriptor(int descriptor)
{
    close(descriptor);
}

bool adoptTargetPermissions(int descriptor, const char* target)
{
    struct stat status;
    if (stat(target, &status) != 0) {
        return true;
    }
    // Only a privileged user may hand the new file back to the old owner; for anyone
    // else (EPERM) the saved file simply belongs to the user who saved it.
    const bool ownerKept = fchown(descriptor, status.st_uid, status.st_gid) == 0 || errno == EPERM;
    return ownerKept && fchmod(descriptor, status.st_mode & 07777) == 0;
}

bool commitToDisk(FILE* stream)
{
    return fsync(fileno(stream)) == 0;
}
bool moveOver(const char* from, const char* to)
{
    return std::rename(from, to) == 0;
}
#endif

// A new, exclusively created file beside the target; its path goes to temporaryPath.
// Returns -1 when none can be made.
int createTemporaryBeside(const std::string& target, std::string& temporaryPath)
{
    constexpr int kAttempts = 100;
    const std::string stem = target + ".~" + std::to_string(processNumber()) + "-";
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        temporaryPath = stem + std::to_string(attempt);
        const int descriptor = createExclusive(temporaryPath.c_str());
        if (descriptor >= 0) {
            return descriptor;
        }
        if (errno != EEXIST) {
            return -1;
        }
    }
    return -1;
}

// Writes the bytes, flushes them to the disk and closes the stream, whatever fails.
bool writeAndClose(FILE* stream, std::string_view bytes)
{
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
    written = written && std::fflush(stream) == 0;
    written = written && commitToDisk(stream);
    const bool closed = std::fclose(stream) == 0;
    return written && closed;
}

} // namespace

bool replaceFileContent(const char* path, std::string_view bytes)
{
    if (path == nullptr || *path == '\0') {
        return false;
    }
    const std::string target = resolvedTarget(path);
    if (!targetIsWritable(target.c_str())) {
        return false;
    }
    std::string temporaryPath;
    const int descriptor = createTemporaryBeside(target, temporaryPath);
    if (descriptor < 0) {
        return false;
    }
    bool saved = adoptTargetPermissions(descriptor, target.c_str());
    FILE* stream = saved ? streamFor(descriptor) : nullptr;
    if (stream == nullptr) {
        closeDescriptor(descriptor);
        saved = false;
    } else {
        saved = writeAndClose(stream, bytes);
    }
    saved = saved && moveOver(temporaryPath.c_str(), target.c_str());
    if (!saved) {
        const int reason = errno;
        std::remove(temporaryPath.c_str());
        errno = reason;
    }
    return saved;
}
