#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_replace_steps.h"

namespace file_replace_steps {

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

} // namespace file_replace_steps
