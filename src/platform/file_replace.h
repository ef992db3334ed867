#pragma once

// Replacing a file's content so that a failure never destroys the old content: the
// bytes go to a new temporary file beside the target, which is checked at every
// write, flushed to the disk, closed, and then moved over the target in one step.
// Paths are narrow 8-bit texts, passed to the system as they are.

#include <string_view>

// Writes bytes as the whole new content of path. A target that exists keeps its
// permission bits (on POSIX); a symbolic link is followed, so the file it names is
// replaced. Returns false when the target exists but is not writable, when no
// temporary file can be made, or when any write, flush, close or the final move
// fails; the temporary file is then removed, the target is left as it was, and errno
// tells the reason.
bool replaceFileContent(const char* path, std::string_view bytes);
