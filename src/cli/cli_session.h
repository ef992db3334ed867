#pragma once

// What the commands of one run share: the output streams, the one reader (whose
// overwrite notices go to standard error) and the one renumbering plan.

#include <memory>
#include <ostream>
#include <string>

#include "bms/bms_reader.h"
#include "editing/list_exchanger.h"

class CliSession {
public:
    CliSession(std::ostream& out, std::ostream& err);
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    std::ostream& out() { return out_; }
    std::ostream& err() { return err_; }
    ListExchanger& plan() { return plan_; }

    // Reads the chart at path; false leaves the result code and line of the failure.
    bool read(const std::string& path, std::unique_ptr<BmsBms>& document);
    // Reads the chart at path; on failure reports it on standard error and returns null.
    std::unique_ptr<BmsBms> readOrReport(const std::string& path);

private:
    std::ostream& out_;
    std::ostream& err_;
    BmsReader reader_;
    ListExchanger plan_;
    // The chart being read, named in front of the reader's notices.
    std::string readingPath_;
};

// "FILE:LINE: error CODE: MESSAGE" for the read that just failed, without a line end.
std::string readFailureLine(const std::string& path);

// The system's text for an errno value, or a plain note when there is none.
std::string systemErrorText(int error);
