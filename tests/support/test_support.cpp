#include "support/test_support.h"

#include <atomic>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>

std::string testDataPath(std::string_view name)
{
    std::string path = QUELMARN_TEST_DATA_DIR;
    path += '/';
    path += name;
    return path;
}

std::string readFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void writeFileBytes(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

DecimalCommaLocale::DecimalCommaLocale()
{
    for (const char* name : { "de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "German_Germany.1252", "de-DE" }) {
        if (std::setlocale(LC_ALL, name) && std::strcmp(std::localeconv()->decimal_point, ",") == 0) {
            active_ = true;
            return;
        }
    }
    std::setlocale(LC_ALL, "C");
}

DecimalCommaLocale::~DecimalCommaLocale()
{
    std::setlocale(LC_ALL, "C");
}

ScratchDirectory::ScratchDirectory()
{
    static std::atomic<unsigned> counter { 0 };
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
        auto candidate = base / ("quelmarn-test-" + std::to_string(random()) + "-" + std::to_string(counter++));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
}

ScratchDirectory::~ScratchDirectory()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ScratchDirectory::file(std::string_view name) const
{
    return (path_ / name).string();
}
