#include "cli/chart_output.h"

#include <algorithm>
#include <cerrno>

#include "bms/layout_check.h"
#include "cli/chart_walk.h"
#include "cli/exit_status.h"
#include "platform/file_replace.h"
#include "platform/text_encoding.h"

namespace {

constexpr const char* kStandardOutputName = "-";

// Refuses a chart that the layout cannot keep unless --force was given, naming every
// finding on its own line. Comments and other lines that the normalised layout does not
// write are what normalising asks for, so they alone never refuse a chart.
LossQuestion refusalUnlessForced(CliSession& session, const std::string& file, SaveLayout layout, bool force)
{
    return [&session, &file, layout, force](const SaveLosses& losses) {
        if (force || losses.findings.empty())
            return true;
        for (const SourceFinding& finding : losses.findings)
            session.err() << findingMessage(file, "not written", finding) << " (--force writes it anyway)\n";
        return false;
    };
}

// Each piece goes out as it is made; a piece that cannot be written stops the rest.
SavedBytesWriter standardOutputWriter(CliSession& session)
{
    return [&session](const SavedBytesMaker& make) {
        return make([&session](std::string_view piece) {
            std::ostream& out = session.out();
            out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
            out.flush();
            if (!out) {
                session.err() << "standard output: cannot write: " << systemErrorText(errno) << '\n';
                return false;
            }
            return true;
        });
    };
}

SavedBytesWriter fileWriter(CliSession& session, const std::string& path)
{
    return [&session, &path](const SavedBytesMaker& make) {
        if (!replaceFileContentInPieces(path.c_str(), make)) {
            session.err() << path << ": cannot write: " << systemErrorText(errno) << '\n';
            return false;
        }
        return true;
    };
}

} // namespace

std::string findingMessage(const std::string& file, const char* label, const SourceFinding& finding)
{
    std::string message = file + ':';
    if (finding.line > 0) {
        message += std::to_string(finding.line) + ':';
    }
    message += std::string(" ") + label + ": ";
    const std::string spelled = cp932ForConsole(finding.spelled);
    switch (finding.kind) {
    case SourceFinding::Kind::ControlFlow:
        message += "the chart uses " + spelled;
        break;
    case SourceFinding::Kind::UnkeptBase:
        message += "the chart uses " + spelled + " (read as base 36)";
        break;
    case SourceFinding::Kind::ConflictingBase:
        // Nothing a save loses: both layouts write the base that the last line sets.
        return message + spelled + " differs from an earlier #BASE line; the last one counts";
    case SourceFinding::Kind::OffGridObjects:
        message += spelled + " has objects off the tick grid";
        break;
    case SourceFinding::Kind::InexactLength:
        message += "the measure length " + spelled + " is not a whole number of ticks";
        break;
    case SourceFinding::Kind::OddLength:
        message += spelled + " has a stray last character that players ignore";
        break;
    }
    return message + ", which the normalised layout cannot keep";
}

void addOutputOptions(CLI::App& command, OutputOptions& options)
{
    auto* output = command.add_option("-o,--output", options.outPath, "Write the chart to OUT (- for standard output)")
                       ->option_text("OUT");
    auto* inPlace = command.add_flag("--in-place", options.inPlace, "Replace FILE with the result");
    output->excludes(inPlace);
    command.add_flag("--force", options.force, "Write even a chart that the layout cannot keep (see check)");
    if (options.keepsLayout) {
        command.add_flag("--normalize", options.normalize,
            "Write the normalised layout instead of the chart's own text with the changes");
    }
}

int emitChart(CliSession& session, const std::string& file, const BmsBms& document, const OutputOptions& options)
{
    const SaveLayout layout = options.layout();
    const bool toStandardOutput
        = !options.inPlace && (options.outPath.empty() || options.outPath == kStandardOutputName);
    const std::string& target = options.inPlace ? file : options.outPath;
    errno = 0;
    const SaveOutcome outcome = saveChart(document, layout, refusalUnlessForced(session, file, layout, options.force),
        toStandardOutput ? standardOutputWriter(session) : fileWriter(session, target));
    if (outcome != SaveOutcome::Written)
        return kFailureStatus;
    if (options.inPlace)
        session.out() << file << ": written\n";
    return 0;
}

int editCharts(
    CliSession& session, const std::vector<std::string>& files, const OutputOptions& options, const ChartEdit& edit)
{
    const ChartList charts = listCharts(files);
    if ((charts.items.size() > 1 || charts.walkedFolders) && !options.inPlace) {
        throw CLI::ValidationError("FILE", "several files, or folders, are written only with --in-place");
    }
    int status = 0;
    for (const ChartItem& chart : charts.items) {
        const std::string& file = chart.path;
        if (!chart.problem.empty()) {
            session.err() << file << ": error: " << chart.problem << '\n';
            status = kFailureStatus;
            continue;
        }
        std::unique_ptr<BmsBms> document = session.readOrReport(file);
        int fileStatus = document ? edit(*document, file) : kFailureStatus;
        if (fileStatus == 0) {
            fileStatus = emitChart(session, file, *document, options);
        }
        status = std::max(status, fileStatus);
    }
    return status;
}
