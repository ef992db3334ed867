#include <algorithm>
#include <memory>
#include <string>

#include "platform/chart_folder.h"
#include "cli/chart_report.h"
#include "cli/commands.h"
#include "cli/definition_files.h"
#include "platform/text_encoding.h"
#include "editing/definition_counts.h"

namespace {

struct FilesArguments : ReportArguments {
    // Event rules and score servers commonly refuse keysounds longer than a minute.
    double maxSeconds = 60;
};

// "kick.ogg (ogg-vorbis, 2 ch, 44100 Hz, 1.50 s, 12345 bytes)", or "missing".
std::string fileDescription(const DefinitionFile& entry)
{
    if (!entry.file)
        return "missing";
    return systemTextForConsole(entry.file->name) + " (" + mediaSummary(entry.media) + ")";
}

void printEntry(std::ostream& out, const std::string& chart, const DefinitionFile& entry)
{
    char index[3];
    out << chart << ": " << kindName(entry.kind) << entry.index.toText(index) << ' ' << cp932ForConsole(entry.name)
        << ": " << fileDescription(entry);
    if (!entry.flags.empty()) {
        out << " [";
        for (size_t i = 0; i < entry.flags.size(); ++i)
            out << (i ? ", " : "") << flagKeyword(entry.flags[i]);
        out << ']';
    }
    if (entry.file && !entry.media.problem.empty())
        out << ": " << entry.media.problem;
    if (entry.file && !entry.media.note.empty())
        out << ": " << entry.media.note;
    out << '\n';
}

template <typename T> Json optionalJson(const std::optional<T>& value)
{
    return value ? Json(*value) : Json(nullptr);
}

Json entryJson(const DefinitionFile& entry)
{
    char index[3];
    Json json;
    json["kind"] = kindKeyword(entry.kind);
    json["index"] = entry.index.toText(index);
    json["name"] = cp932ToUtf8(entry.name);
    const bool found = entry.file.has_value();
    json["file"] = found ? Json(systemTextToUtf8(entry.file->name)) : Json(nullptr);
    json["format"] = found ? Json(formatName(entry.media)) : Json(nullptr);
    json["channels"] = optionalJson(entry.media.channels);
    json["sample_rate"] = optionalJson(entry.media.sampleRate);
    json["seconds"] = optionalJson(entry.media.seconds);
    json["width"] = optionalJson(entry.media.width);
    json["height"] = optionalJson(entry.media.height);
    json["bytes"] = found ? Json(entry.media.bytes) : Json(nullptr);
    json["flags"] = Json::array();
    for (FileFlag flag : entry.flags)
        json["flags"].push_back(flagKeyword(flag));
    if (found && !entry.media.problem.empty())
        json["problem"] = entry.media.problem;
    return json;
}

void reportFilesOfChart(const FilesArguments& arguments, CliSession& session, const ChartRead& read, ChartWork& work)
{
    Json chart = chartJson(read);
    if (!read.document) {
        session.err() << read.failureLine() << '\n';
        work.status = kFailureStatus;
        work.tally.failed = true;
    } else {
        const std::vector<DefinitionFile> entries
            = examineDefinitionFiles(*read.document, read.path, session.folderOf(read.path), arguments.maxSeconds);
        const auto flagged = [](const DefinitionFile& entry) { return !entry.flags.empty(); };
        if (std::any_of(entries.begin(), entries.end(), flagged))
            work.status = kFailureStatus;
        work.tally.missesFiles
            = std::any_of(entries.begin(), entries.end(), [](const DefinitionFile& entry) { return !entry.file; });
        work.tally.unusedDefinitions
            = countDefinitions(*read.document, kKindWav).unused + countDefinitions(*read.document, kKindBmp).unused;
        Json files = Json::array();
        for (const DefinitionFile& entry : entries) {
            if (arguments.json)
                files.push_back(entryJson(entry));
            else if (!arguments.run.quiet || flagged(entry))
                printEntry(session.out(), read.path, entry);
        }
        chart["files"] = std::move(files);
    }
    if (arguments.json)
        work.json = jsonPart(chart);
}

} // namespace

void addFilesCommand(CLI::App& app, CliSession& session, CommandList& commands)
{
    auto arguments = std::make_shared<FilesArguments>();
    CLI::App* command = app.add_subcommand(
        "files", "Report the file behind every WAV and BMP definition: its format, length and size, and its problems");
    addReportArguments(*command, *arguments);
    command
        ->add_option("--max-seconds", arguments->maxSeconds,
            "Flag sounds longer than this many seconds as too long (default: 60)")
        ->check(CLI::PositiveNumber);
    commands.push_back({ command, [&session, arguments] {
                            return runReport(session, *arguments, { .missingFiles = true },
                                [&arguments](CliSession& chartSession, const ChartRead& read, ChartWork& work) {
                                    reportFilesOfChart(*arguments, chartSession, read, work);
                                });
                        } });
}
