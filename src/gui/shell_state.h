#pragma once

// The values the whole GUI shell shares: the current document, where it came from,
// the visible page and the scratch path buffer. One instance for the process.

#include <memory>

#include "model/bms_bms.h"
#include "paths/path_parts.h"

struct ShellState {
    static constexpr int kNameSize = kPathBufferSize + 1;

    static ShellState& instance();

    // Back to the state at start: no document, empty names, the WAV page.
    void reset();

    std::unique_ptr<BmsBms> document;
    // Path of the current document; empty at start and after New.
    char fileName[kNameSize] = {};
    // Drive and directory, with its trailing separator, of the last chart opened or
    // saved; empty at start.
    char chartDirectory[kNameSize] = {};
    // Drive and directory of the path last chosen in a file dialog; empty at start.
    char dialogFolder[kNameSize] = {};
    // Index of the visible list page: 0 for WAV.
    int currentPage = 0;
    // Scratch text for dialog results, dropped paths, edit texts, the caption, message
    // texts and list rows; valid only between its user's own write and read.
    char pathBuffer[kPathBufferSize] = {};
};
