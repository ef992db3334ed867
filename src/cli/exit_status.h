#pragma once

// The tool's exit statuses besides 0 (all went well).

// A file could not be read, changed or written, or something it needs is missing.
constexpr int kFailureStatus = 1;
// The command line asks for something the tool does not do.
constexpr int kUsageErrorStatus = 2;
