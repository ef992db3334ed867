#include <algorithm>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "bms/parse_result.h"
#include "cli/chart_folder.h"
#include "cli/commands.h"
#include "cli/text_encoding.h"
#include "editing/definition_kind.h"
#include "editing/missing_files.h"

namespace {

using Json = nlohmann::ordered_json;

struct MissingArguments {
    std::vector<std::string> files;
    bool json = false;
    bool unreferenced = false;
};

struct ChartReport {
    std::vector<AbsentFile> absent;
    std::vector<std::string> unreferenced;

    bool missesAny() const
    {
        return std::any_of(absent.begin(), absent.end(), [](const AbsentFile& file) { return !file.foundAs; });
    }
};

ChartReport checkChart(const BmsBms& document, const std::string& file, bool listUnreferenced)
{
    ChartFolder folder(file);
    ChartReport report;
    std::set<std::string> used;
    for (int kind : { kKindWav, kKindBmp }) {
        std::vector<AbsentFile> absent = findAbsentFiles(document, kind, folder, used);
        report.absent.insert(report.absent.end(), absent.begin(), absent.end());
    }
    if (listUnreferenced) {
        for (const FoundFile& candidate : folder.files()) {
            if (isMediaFileName(candidate.name) && used.count(candidate.key) == 0) {
                report.unreferenced.push_back(candidate.name);
            }
        }
    }
    return report;
}

std::string definitionLabel(const AbsentFile& file)
{
    char index[3];
    return std::string(file.kind == kKindBmp ? "BMP" : "WAV") + file.index.toText(index);
}

void printText(std::ostream& out, const std::string& file, const ChartReport& report)
{
    for (const AbsentFile& absent : report.absent) {
        out << file << ": " << definitionLabel(absent) << ' ' << cp932ForConsole(absent.name) << ": ";
        if (absent.foundAs) {
            out << "found as " << systemTextForConsole(*absent.foundAs) << '\n';
        } else {
            out << "missing\n";
        }
    }
    for (const std::string& name : report.unreferenced) {
        out << file << ": unreferenced: " << systemTextForConsole(name) << '\n';
    }
    if (!report.missesAny()) {
        out << file << ": ok\n";
    }
}

Json reportJson(const std::string& file, const ChartReport& report, bool listUnreferenced)
{
    Json missing = Json::array();
    Json otherExtension = Json::array();
    for (const AbsentFile& absent : report.absent) {
        char index[3];
        Json entry;
        entry["kind"] = absent.kind == kKindBmp ? "bmp" : "wav";
        entry["index"] = absent.index.toText(index);
        entry["name"] = cp932ToUtf8(absent.name);
        if (absent.foundAs) {
            entry["found"] = systemTextToUtf8(*absent.foundAs);
            otherExtension.push_back(std::move(entry));
        } else {
            missing.push_back(std::move(entry));
        }
    }
    Json chart;
    chart["file"] = systemTextToUtf8(file);
    chart["missing"] = std::move(missing);
    chart["other_extension"] = std::move(otherExtension);
    if (listUnreferenced) {
        Json unreferenced = Json::array();
        for (const std::string& name : report.unreferenced) {
            unreferenced.push_back(systemTextToUtf8(name));
        }
        chart["unreferenced"] = std::move(unreferenced);
    }
    return chart;
}

Json readFailureJson(const std::string& file)
{
    Json error;
    error["code"] = lastParseResult().code;
    error["line"] = errorLine();
    error["message"] = cp932ToUtf8(errorMessage());
    Json chart;
    chart["file"] = systemTextToUtf8(file);
    chart["error"] = std::move(error);
    return chart;
}

int findMissing(CliSession& session, const MissingArguments& arguments)
{
    int status = 0;
    Json charts = Json::array();
    for (const std::string& file : arguments.files) {
        std::unique_ptr<BmsBms> document = session.readOrReport(file);
        if (!document) {
            status = kFailureStatus;
            if (arguments.json) {
                charts.push_back(readFailureJson(file));
            }
            continue;
        }
        const ChartReport report = checkChart(*document, file, arguments.unreferenced);
        if (report.missesAny()) {
            status = kFailureStatus;
        }
        if (arguments.json) {
            charts.push_back(reportJson(file, report, arguments.unreferenced));
        } else {
            printText(session.out(), file, report);
        }
    }
    if (arguments.json) {
        session.out() << charts.dump(-1, ' ', false, Json::error_handler_t::replace) << '\n';
    }
    return status;
}

} // namespace

void addMissingCommand(CLI::App& app, CliSession& session, CommandList& commands)
{
    auto arguments = std::make_shared<MissingArguments>();
    CLI::App* command = app.add_subcommand("missing", "Report the WAV and BMP definitions whose files are not there");
    command->add_option("FILE", arguments->files, "Chart files")->required()->type_name("");
    command->add_flag("--json", arguments->json, "Print a JSON array with one object per chart");
    command->add_flag(
        "--unreferenced", arguments->unreferenced, "Also list the sound and image files that no definition names");
    commands.push_back({ command, [&session, arguments] { return findMissing(session, *arguments); } });
}
