#pragma once

// Replacing a file's content so that a failure never destroys the old content: the
// bytes go to a new temporary file beside the target, which is checked at every
// write, flushed to the disk, closed, and then moved over the target in one step.
// Paths are narrow 8-bit texts, passed to the system as they are.

#include <functional>
#include <string_view>

// Writes bytes as the whole new content of path. A target that exists keeps its
// permission bits (on POSIX); a symbolic link is followed, so the file it names is
// replaced. Returns false when the target exists but is not writable, when no
// temporary file can be made, or when any write, flush, close or the final move
// fails; the temporary file is then removed, the target is left as it was, and errno
// tells the reason.
bool replaceFileContent(const char* path, std::string_view bytes);

// Takes one piece of the new content; false when it could not be written.
using ContentPieceWriter = std::function<bool(std::string_view piece)>;
// Hands the new content, piece after piece, to writePiece; false to give up.
using ContentMaker = std::function<bool(const ContentPieceWriter& writePiece)>;

// replaceFileContent with the content made while it is written, so that it never needs to
// stand in memory whole. Nothing is replaced until make has returned true and every piece
// was written, flushed to the disk and closed. When make gives up (returns false, as it
// does when a piece could not be written) or throws, the temporary file is removed and the
// target left as it was; errno tells why, and an exception passes on.
bool replaceFileContentInPieces(const char* path, const ContentMaker& make);
