#pragma once

#include <optional>
#include <string>
#include <vector>

#include "editing/missing_files.h"

// A folder of the names given, matched exactly, that notes every name it is asked about.
class FakeFolder : public FileLookup {
public:
    explicit FakeFolder(std::vector<std::string> names)
        : names_(std::move(names))
    {
    }
    std::optional<FoundFile> find(const std::string& name) override
    {
        asked.push_back(name);
        for (const std::string& file : names_) {
            if (file == name)
                return FoundFile { file, file };
        }
        return std::nullopt;
    }
    std::vector<FoundFile> files() const
    {
        std::vector<FoundFile> listed;
        for (const std::string& name : names_) {
            if (name.find('/') == std::string::npos)
                listed.push_back({ name, name });
        }
        return listed;
    }

    std::vector<std::string> asked;

private:
    std::vector<std::string> names_;
};
