#include "cli/cli_arguments.h"

#include "model/ascii_chars.h"
#include "model/bms_word.h"
#include "model/definition_kind.h"

CLI::Option* addKindArgument(CLI::App& command, DefinitionKind& kind)
{
    return command
        .add_option_function<std::string>(
            "KIND",
            [&kind](const std::string& text) {
                kind = CLI::detail::to_lower(text) == kindKeyword(kKindBmp) ? kKindBmp : kKindWav;
            },
            "Definition list: wav or bmp")
        ->required()
        ->type_name("")
        ->check(CLI::IsMember({ kindKeyword(kKindWav), kindKeyword(kKindBmp) }, CLI::ignore_case).name("KIND"));
}

CLI::Option* addChartArgument(CLI::App& command, std::vector<std::string>& files)
{
    return command
        .add_option_function<std::string>(
            "FILE", [&files](const std::string& file) { files = { file }; }, "Chart file")
        ->required()
        ->type_name("");
}

CLI::Option* addPathsArgument(CLI::App& command, std::vector<std::string>& paths)
{
    return command.add_option("PATH", paths, "Chart files, and folders to search for charts")
        ->required()
        ->type_name("");
}

CLI::Option* addIndicesArgument(CLI::App& command, std::vector<std::string>& indices, const std::string& description)
{
    return command.add_option("INDEX", indices, description)->required()->type_name("")->check(indexValidator());
}

const CLI::Validator& indexValidator()
{
    static const CLI::Validator validator(
        [](const std::string& text) {
            const bool valid = text.size() == 2 && isAsciiAlphanumeric(text[0]) && isAsciiAlphanumeric(text[1]);
            return valid ? std::string() : "not an index (two letters or digits, 00 to ZZ, or zz in base 62): " + text;
        },
        "");
    return validator;
}

int indexRow(const std::string& text, const BmsRegistArray& table)
{
    return table.rowOf(table.base().word(text[0], text[1]));
}

std::vector<int> indexRows(const std::vector<std::string>& texts, const BmsRegistArray& table)
{
    std::vector<int> rows;
    rows.reserve(texts.size());
    for (const std::string& text : texts) {
        rows.push_back(indexRow(text, table));
    }
    return rows;
}
