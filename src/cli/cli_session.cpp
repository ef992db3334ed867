#include "cli/cli_session.h"

#include <cstdint>
#include <cstring>
#include <optional>

#include "bms/parse_result.h"
#include "editing/file_name_rules.h"
#include "platform/folder_entries.h"
#include "platform/text_encoding.h"

namespace {

// The longest charts that players have are a few MB; a file past this is no chart, and
// reading it whole on every thread could exhaust the memory.
constexpr std::uint64_t kLargestChartBytes = std::uint64_t { 256 } << 20;

} // namespace

CliSession::CliSession(std::ostream& out, std::ostream& err, bool errorIsTerminal)
    : out_(out)
    , err_(err)
    , errorIsTerminal_(errorIsTerminal)
{
    reader_.setNoticeSink([this](const char* notice) { err_ << readingPath_ << ": " << notice; });
}

bool CliSession::read(const std::string& path, std::unique_ptr<BmsBms>& document)
{
    // A file that cannot be opened keeps the line of an earlier read; it is reported
    // at line 0.
    lastParseResult() = {};
    readingPath_ = path;
    return reader_.read(path.c_str(), document);
}

ChartFolder& CliSession::folderOf(const std::string& chartPath)
{
    const std::string directory = directoryPart(chartPath, kPathSeparator == '\\');
    if (!folder_ || directory != folderDirectory_) {
        folder_ = std::make_unique<ChartFolder>(chartPath);
        folderDirectory_ = directory;
    }
    return *folder_;
}

void CliSession::dropNotices()
{
    reader_.setNoticeSink({});
}

std::unique_ptr<BmsBms> CliSession::readOrReport(const std::string& path)
{
    std::unique_ptr<BmsBms> document;
    if (const std::string problem = chartSizeProblem(path); !problem.empty()) {
        err_ << path << ": error: " << problem << '\n';
    } else if (!read(path, document)) {
        err_ << readFailureLine(path, lastParseResult()) << '\n';
    }
    return document;
}

std::string readFailureLine(const std::string& path, const ParseResult& result)
{
    return path + ':' + std::to_string(result.line) + ": error " + std::to_string(result.code) + ": "
        + cp932ForConsole(messageFor(result.code));
}

std::string chartSizeProblem(const std::string& path)
{
    const std::optional<std::uint64_t> size = fileSize(path);
    if (!size || *size <= kLargestChartBytes) {
        return {};
    }
    return "not read: the file has " + std::to_string(*size) + " bytes, more than a chart can have ("
        + std::to_string(kLargestChartBytes) + ")";
}

std::string systemErrorText(int error)
{
    return error != 0 ? std::strerror(error) : "unknown error";
}
