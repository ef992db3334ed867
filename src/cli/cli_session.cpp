#include "cli/cli_session.h"

#include <cstring>

#include "bms/parse_result.h"
#include "cli/text_encoding.h"

CliSession::CliSession(std::ostream& out, std::ostream& err)
    : out_(out)
    , err_(err)
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

std::unique_ptr<BmsBms> CliSession::readOrReport(const std::string& path)
{
    std::unique_ptr<BmsBms> document;
    if (!read(path, document)) {
        err_ << readFailureLine(path) << '\n';
    }
    return document;
}

std::string readFailureLine(const std::string& path)
{
    return path + ':' + std::to_string(errorLine()) + ": error " + std::to_string(lastParseResult().code) + ": "
        + cp932ForConsole(errorMessage());
}

std::string systemErrorText(int error)
{
    return error != 0 ? std::strerror(error) : "unknown error";
}
