#pragma once

// Helpers shared by the tests: fixture paths, scratch directories, reading a chart
// from text.

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "model/bms_bms.h"

// Path of a file under tests/data.
std::string testDataPath(std::string_view name);

// The whole content of a file, or an empty text when it cannot be read.
std::string readFileBytes(const std::string& path);
void writeFileBytes(const std::string& path, std::string_view bytes);

// Switches the C locale to one whose decimal separator is a comma, when the system has
// one, and back to "C" when it goes.
class DecimalCommaLocale {
public:
    DecimalCommaLocale();
    ~DecimalCommaLocale();
    DecimalCommaLocale(const DecimalCommaLocale&) = delete;
    DecimalCommaLocale& operator=(const DecimalCommaLocale&) = delete;

    bool active() const { return active_; }

private:
    bool active_ = false;
};

// A fresh directory under the system's temporary directory, removed with its content
// when the object goes.
class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // path()/name as a narrow string.
    std::string file(std::string_view name) const;

private:
    std::filesystem::path path_;
};
