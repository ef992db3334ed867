#include "platform/file_replace.h"

#include <cerrno>
#include <cstdio>
#include <string>

#include "platform/file_replace_steps.h"

namespace {

using namespace file_replace_steps;

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
