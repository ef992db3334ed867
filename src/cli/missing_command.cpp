#include <algorithm>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "cli/chart_report.h"
#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/folder_unreferenced.h"
#include "editing/definition_counts.h"
#include "editing/missing_files.h"
#include "model/definition_kind.h"
#include "platform/chart_folder.h"
#include "platform/folder_entries.h"
#include "platform/text_encoding.h"

namespace {

struct MissingArguments : ReportArguments {
    bool unreferenced = false;
};

struct ChartReport {
    std::vector<AbsentFile> absent;
    // The folders that the lookups could not read.
    std::vector<std::string> unreadFolders;
    ChartFileUse use;

    bool missesAny() const
    {
        return std::any_of(absent.begin(), absent.end(), [](const AbsentFile& file) { return !file.foundAs; });
    }
};

ChartReport checkChart(CliSession& session, const BmsBms& document, const std::string& file, bool listUnreferenced)
{
    ChartFolder& folder = session.folderOf(file);
    ChartReport report;
    for (DefinitionKind kind : kDefinitionKinds) {
        // The files found matter only to the folder's unreferenced files.
        std::vector<AbsentFile> absent
            = findAbsentFiles(document, kind, folder, listUnreferenced ? &report.use.used : nullptr);
        report.absent.insert(report.absent.end(), absent.begin(), absent.end());
    }
    std::vector<FoundFile> files;
    if (listUnreferenced) {
        files = folder.files();
    }
    report.unreadFolders = folder.takeUnreadFolders();
    // With a folder unread, what the charts find is not known for sure.
    if (listUnreferenced && report.unreadFolders.empty()) {
        std::erase_if(files, [](const FoundFile& candidate) { return !isMediaFileName(candidate.name); });
        report.use.media = std::move(files);
    }
    return report;
}

std::string definitionLabel(const AbsentFile& file)
{
    char index[3];
    return kindName(file.kind) + std::string(file.index.toText(index));
}

void printText(std::ostream& out, const std::string& file, const ChartReport& report, bool quiet)
{
    for (const AbsentFile& absent : report.absent) {
        out << file << ": " << definitionLabel(absent) << ' ' << cp932ForConsole(absent.name) << ": ";
        if (absent.foundAs) {
            out << "found as " << systemTextForConsole(*absent.foundAs) << '\n';
        } else {
            out << "missing\n";
        }
    }
    if (!report.missesAny() && !quiet) {
        out << file << ": ok\n";
    }
}

void addReportJson(Json& chart, const ChartReport& report)
{
    Json missing = Json::array();
    Json otherExtension = Json::array();
    for (const AbsentFile& absent : report.absent) {
        char index[3];
        Json entry;
        entry["kind"] = kindKeyword(absent.kind);
        entry["index"] = absent.index.toText(index);
        entry["name"] = cp932ToUtf8(absent.name);
        if (absent.foundAs) {
            entry["found"] = systemTextToUtf8(*absent.foundAs);
            otherExtension.push_back(std::move(entry));
        } else {
            missing.push_back(std::move(entry));
        }
    }
    chart["missing"] = std::move(missing);
    chart["other_extension"] = std::move(otherExtension);
}

void findMissingOfChart(const MissingArguments& arguments, CliSession& session, const ChartRead& read, ChartWork& work)
{
    Json chart = chartJson(read);
    if (!read.document) {
        session.err() << read.failureLine() << '\n';
        work.status = kFailureStatus;
        work.tally.failed = true;
        // A chart that is there but did not read may name any file of its folder.
        if (arguments.unreferenced && kindOfPath(read.path) == PathKind::File) {
            work.detail = ChartFileUse { .read = false, .used = {}, .media = std::nullopt };
        }
    } else {
        ChartReport report = checkChart(session, *read.document, read.path, arguments.unreferenced);
        for (const std::string& unread : report.unreadFolders) {
            session.err() << read.path << ": error: " << unread << '\n';
            work.status = kFailureStatus;
        }
        if (report.missesAny()) {
            work.status = kFailureStatus;
            work.tally.missesFiles = true;
        }
        work.tally.unusedDefinitions
            = countDefinitions(*read.document, kKindWav).unused + countDefinitions(*read.document, kKindBmp).unused;
        if (arguments.json) {
            addReportJson(chart, report);
            chart["unused_definitions"] = work.tally.unusedDefinitions;
        } else {
            printText(session.out(), read.path, report, arguments.run.quiet);
        }
        if (arguments.unreferenced) {
            work.detail = std::move(report.use);
        }
    }
    if (arguments.json) {
        work.json = jsonPart(chart);
    }
}

int findMissing(CliSession& session, const MissingArguments& arguments)
{
    GroupReportMaker folders;
    if (arguments.unreferenced) {
        folders = [&arguments](const ChartList& charts) {
            return std::make_unique<FolderUnreferencedReport>(charts, arguments.json);
        };
    }
    return runReport(
        session, arguments, { .missingFiles = true },
        [&arguments](CliSession& chartSession, const ChartRead& read, ChartWork& work) {
            findMissingOfChart(arguments, chartSession, read, work);
        },
        folders);
}

} // namespace

void addMissingCommand(CLI::App& app, CliSession& session, CommandList& commands)
{
    auto arguments = std::make_shared<MissingArguments>();
    CLI::App* command = app.add_subcommand("missing", "Report the WAV and BMP definitions whose files are not there");
    addReportArguments(*command, *arguments);
    command->add_flag("--unreferenced", arguments->unreferenced,
        "Also list, for each folder, the sound and image files that no chart in it names");
    commands.push_back({ command, [&session, arguments] { return findMissing(session, *arguments); } });
}
