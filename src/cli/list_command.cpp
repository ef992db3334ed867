#include <array>
#include <iomanip>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/cli_arguments.h"
#include "cli/commands.h"
#include "cli/text_encoding.h"
#include "editing/definition_kind.h"
#include "editing/index_usage.h"

namespace {

struct ListArguments {
    int kind = kKindWav;
    std::string file;
    bool json = false;
};

// One row that holds a file name or is referenced by channel data or a header line.
struct ListRow {
    BmsWord index;
    const char* name; // null for a row without a file name
    int references;
};

std::vector<ListRow> usedRows(BmsBms& document, int kind)
{
    const ReferenceCounts references = countReferences(document, kind);
    const BmsRegistArray& table = *tableOfKind(document, kind);
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

void printJson(std::ostream& out, const std::vector<ListRow>& rows)
{
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const ListRow& row : rows) {
        nlohmann::ordered_json entry;
        entry["index"] = indexText(row.index);
        entry["name"] = row.name ? nlohmann::ordered_json(cp932ToUtf8(row.name)) : nlohmann::ordered_json();
        entry["references"] = row.references;
        list.push_back(std::move(entry));
    }
    out << list.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
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

int listRows(CliSession& session, const ListArguments& arguments)
{
    std::unique_ptr<BmsBms> document = session.readOrReport(arguments.file);
    if (!document) {
        return kFailureStatus;
    }
    const std::vector<ListRow> rows = usedRows(*document, arguments.kind);
    if (arguments.json) {
        printJson(session.out(), rows);
    } else {
        printTable(session.out(), rows);
    }
    return 0;
}

} // namespace

void addListCommand(CLI::App& app, CliSession& session, CommandList& commands)
{
    auto arguments = std::make_shared<ListArguments>();
    CLI::App* command
        = app.add_subcommand("list", "List the definitions that hold a file name or are referenced, in index order");
    addKindArgument(*command, arguments->kind);
    command->add_option("FILE", arguments->file, "Chart file")->required()->type_name("");
    command->add_flag("--json", arguments->json, "Print a JSON array of {index, name, references}");
    commands.push_back({ command, [&session, arguments] { return listRows(session, *arguments); } });
}
