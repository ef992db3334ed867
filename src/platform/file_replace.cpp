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

// Removes the temporary file unless it took the target's place, keeping errno, which
// tells why the replacement failed; also when an exception passes.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& path)
        : path_(path)
    {
    }
    ~TemporaryFile()
    {
        if (!moved_) {
            const int reason = errno;
            std::remove(path_.c_str());
            errno = reason;
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool moveOver(const std::string& target)
    {
        moved_ = file_replace_steps::moveOver(path_.c_str(), target.c_str());
        return moved_;
    }

private:
    const std::string path_;
    bool moved_ = false;
};

// Writes what make hands over, flushes it to the disk and closes the stream, whatever fails.
bool writeAndClose(FILE* stream, const ContentMaker& make)
{
    bool written = false;
    try {
        written = make([stream](std::string_view piece) {
            return std::fwrite(piece.data(), 1, piece.size(), stream) == piece.size();
        });
    } catch (...) {
        std::fclose(stream);
        throw;
    }
    written = written && std::fflush(stream) == 0;
    written = written && commitToDisk(stream);
    const bool closed = std::fclose(stream) == 0;
    return written && closed;
}

} // namespace

bool replaceFileContent(const char* path, std::string_view bytes)
{
    return replaceFileContentInPieces(
        path, [bytes](const ContentPieceWriter& writePiece) { return writePiece(bytes); });
}

bool replaceFileContentInPieces(const char* path, const ContentMaker& make)
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
    TemporaryFile temporary(temporaryPath);
    bool saved = adoptTargetPermissions(descriptor, target.c_str());
    FILE* stream = saved ? streamFor(descriptor) : nullptr;
    if (stream == nullptr) {
        closeDescriptor(descriptor);
        return false;
    }
    return writeAndClose(stream, make) && temporary.moveOver(target);
}
