#include <array>
#include <iomanip>
#include <memory>
#include <string>

#include "cli/chart_report.h"
#include "cli/cli_arguments.h"
#include "cli/commands.h"
#include "editing/index_usage.h"
#include "model/definition_kind.h"
#include "platform/text_encoding.h"

namespace {

struct ListArguments {
    DefinitionKind kind = kKindWav;
    std::vector<std::string> files;
    bool json = false;
    RunOptions run;
};

// One row that holds a file name or is referenced by channel data or a header line.
struct ListRow {
    BmsWord index;
    const char* name; // null for a row without a file name
    int references;
};

std::vector<ListRow> usedRows(BmsBms& document, DefinitionKind kind)
{
    const ReferenceCounts references = countReferences(document, kind);
    const BmsRegistArray& table = *document.table(kind);
    std::vector<ListRow> rows;
    for (int i = 0; i < BmsWord::kValueCount; ++i) {
        const BmsWord index(i);
        if (table.has(index) || references[i] > 0) {
            rows.push_back({ index, table.has(index) ? table.get(index) : nullptr, references[i] });
        }
    }
    return rows;
}

std::string indexText(BmsWord index)
{
    char text[3];
    return index.toText(text);
}

Json rowsJson(const std::vector<ListRow>& rows)
{
    Json list = Json::array();
    for (const ListRow& row : rows) {
        Json entry;
        entry["index"] = indexText(row.index);
        entry["name"] = row.name ? Json(cp932ToUtf8(row.name)) : Json();
        entry["references"] = row.references;
        list.push_back(std::move(entry));
    }
    return list;
}

void printTable(std::ostream& out, const std::vector<ListRow>& rows)
{
    out << "INDEX  REFERENCES  NAME\n";
    for (const ListRow& row : rows) {
        out << indexText(row.index) << "     " << std::setw(10) << row.references;
        if (row.name) {
            out << "  " << cp932ForConsole(row.name);
        }
        out << '\n';
    }
}

// One chart prints its rows alone; of several, each is named above its table, or is
// an object with its file in the JSON array.
void listChart(
    const ListArguments& arguments, bool several, CliSession& session, const ChartRead& read, ChartWork& work)
{
    if (!read.document) {
        session.err() << read.failureLine() << '\n';
        work.status = kFailureStatus;
        work.tally.failed = true;
        if (arguments.json && several) {
            work.json = jsonPart(chartJson(read));
        }
        return;
    }
    const std::vector<ListRow> rows = usedRows(*read.document, arguments.kind);
    if (arguments.json && several) {
        Json chart = chartJson(read);
        chart["definitions"] = rowsJson(rows);
        work.json = jsonPart(chart);
    } else if (arguments.json) {
        session.out() << jsonPart(rowsJson(rows)) << '\n';
    } else {
        if (several) {
            session.out() << read.path << ":\n";
        }
        printTable(session.out(), rows);
    }
}

int listRows(CliSession& session, const ListArguments& arguments)
{
    const ChartList charts = listCharts(arguments.files);
    const bool several = charts.walkedFolders || charts.items.size() > 1;
    RunOptions options = arguments.run;
    options.json = arguments.json;
    const RunTotals totals = runOverCharts(session, options, charts,
        [&arguments, several](CliSession& chartSession, const ChartRead& read, ChartWork& work) {
            listChart(arguments, several, chartSession, read, work);
        });
    if (arguments.json && several) {
        session.out() << jsonArray(totals.json) << '\n';
    }
    return totals.status;
}

} // namespace

void addListCommand(CLI::App& app, CliSession& session, CommandList& commands)
{
    auto arguments = std::make_shared<ListArguments>();
    CLI::App* command
        = app.add_subcommand("list", "List the definitions that hold a file name or are referenced, in index order");
    addKindArgument(*command, arguments->kind);
    addPathsArgument(*command, arguments->files);
    command->add_flag("--json", arguments->json,
        "Print a JSON array of {index, name, references}; of several charts, an array of {file, ..., definitions}");
    addRunOptions(*command, arguments->run);
    commands.push_back({ command, [&session, arguments] { return listRows(session, *arguments); } });
}
