#pragma once

// What the commands of one run share: the output streams, the one reader (whose
// overwrite notices go to standard error) and the one renumbering plan.

#include <memory>
#include <ostream>
#include <string>

#include "bms/bms_reader.h"
#include "bms/parse_result.h"
#include "editing/list_exchanger.h"
#include "platform/chart_folder.h"

class CliSession {
public:
    // errorIsTerminal: whether standard error is a terminal, where progress may show.
    CliSession(std::ostream& out, std::ostream& err, bool errorIsTerminal = false);
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    std::ostream& out() { return out_; }
    std::ostream& err() { return err_; }
    ListExchanger& plan() { return plan_; }
    bool errorIsTerminal() const { return errorIsTerminal_; }
    // The reader's overwrite notices are dropped from now on.
    void dropNotices();

    // The folder of the chart at path; the charts of one folder in a row share it, so
    // that its files are listed once.
    ChartFolder& folderOf(const std::string& chartPath);

    // Reads the chart at path; false leaves the result code and line of the failure.
    bool read(const std::string& path, std::unique_ptr<BmsBms>& document);
    // Reads the chart at path; on failure (or when the file is too large to be a chart)
    // reports it on standard error and returns null.
    std::unique_ptr<BmsBms> readOrReport(const std::string& path);

private:
    std::ostream& out_;
    std::ostream& err_;
    bool errorIsTerminal_;
    BmsReader reader_;
    ListExchanger plan_;
    // The chart being read, named in front of the reader's notices.
    std::string readingPath_;
    std::string folderDirectory_;
    std::unique_ptr<ChartFolder> folder_;
};

// "FILE:LINE: error CODE: MESSAGE" for a read that failed, without a line end.
std::string readFailureLine(const std::string& path, const ParseResult& result);

// Why the file at path is not read: it is far larger than any chart. Empty when it may
// be read (or when its size cannot be had, which the read itself reports).
std::string chartSizeProblem(const std::string& path);

// The system's text for an errno value, or a plain note when there is none.
std::string systemErrorText(int error);
