#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "cli/chart_output.h"
#include "cli/cli_arguments.h"
#include "cli/commands.h"
#include "cli/selection_page.h"
#include "editing/file_registration.h"
#include "paths/path_parts.h"
#include "platform/text_encoding.h"

namespace {

struct RegisterArguments {
    DefinitionKind kind = kKindWav;
    std::vector<std::string> files;
    std::string at = "01";
    std::vector<std::string> paths;
    OutputOptions output;
};

// The file name with its extension that a path names, in the chart's code page 932;
// nothing (after saying why) when the path cannot give one.
std::optional<std::string> bareFileName(CliSession& session, const std::string& path)
{
    const std::optional<std::string> converted = systemTextToCp932(path);
    if (!converted) {
        session.err() << path << ": cannot register: the name has no code page 932 form\n";
        return std::nullopt;
    }
    if (converted->size() >= static_cast<size_t>(kPathBufferSize)) {
        session.err() << path << ": cannot register: the path is longer than " << kPathBufferSize - 1 << " bytes\n";
        return std::nullopt;
    }
    char buffer[kPathBufferSize] = {};
    std::memcpy(buffer, converted->data(), converted->size());
    keepFileName(buffer);
    if (buffer[0] == '\0') {
        session.err() << path << ": cannot register: the path names no file\n";
        return std::nullopt;
    }
    return std::string(buffer);
}

int registerPaths(CliSession& session, const RegisterArguments& arguments, BmsBms& document, const std::string& file)
{
    std::vector<std::string> names;
    for (const std::string& path : arguments.paths) {
        std::optional<std::string> name = bareFileName(session, path);
        if (!name) {
            return kFailureStatus;
        }
        names.push_back(std::move(*name));
    }
    SelectionPage page(document, arguments.kind);
    page.setCaretRow(indexRow(arguments.at, page.table()));
    const FileRegistration registration = registerFileNames(page, names);
    for (const std::string& name : registration.alreadyRegistered) {
        session.err() << file << ": " << cp932ForConsole(name) << " is already registered; not registered again\n";
    }
    if (registration.passedOverUsed > 0) {
        session.err() << file << ": passed over " << registration.passedOverUsed
                      << " slots that the channel data uses without a definition\n";
    }
    const size_t ignored = registration.withoutSlot.size();
    if (ignored > 0) {
        char last[3];
        page.table().wordAt(page.rowCount() - 1).toText(last);
        session.err() << file << ": no free slot from " << arguments.at << " to " << last << " for the last " << ignored
                      << " of the names; they are not registered";
        if (!page.table().base().isCaseSensitive())
            session.err() << " (\"base 62\" makes room for 3843 definitions)";
        session.err() << '\n';
    }
    return 0;
}

} // namespace

void addRegisterCommand(CLI::App& app, CliSession& session, CommandList& commands)
{
    auto arguments = std::make_shared<RegisterArguments>();
    CLI::App* command = app.add_subcommand("register", "Register the file names of paths into free slots");
    addKindArgument(*command, arguments->kind);
    addChartArgument(*command, arguments->files);
    command->add_option("PATH", arguments->paths, "Files whose names are registered")->required()->type_name("");
    command->add_option("--at", arguments->at, "First slot to fill (default 01)")
        ->type_name("INDEX")
        ->check(indexValidator());
    arguments->output.keepsLayout = true;
    addOutputOptions(*command, arguments->output);
    commands.push_back({ command, [&session, arguments] {
                            return editCharts(session, arguments->files, arguments->output,
                                [&](BmsBms& document, const std::string& file) {
                                    return registerPaths(session, *arguments, document, file);
                                });
                        } });
}
