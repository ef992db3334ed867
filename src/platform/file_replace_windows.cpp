#include <windows.h>

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include "platform/file_replace_steps.h"

namespace file_replace_steps {

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

} // namespace file_replace_steps
