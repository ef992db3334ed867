#include "cli/cli_runner.h"

#include <sstream>

#include "cli/cli_app.h"

CliRun runTool(const std::vector<std::string>& arguments)
{
    std::vector<std::string> words = { "quelmarn-cli" };
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    std::ostringstream out;
    std::ostringstream err;
    const int status = runCli(static_cast<int>(words.size()), argv.data(), out, err);
    return { status, out.str(), err.str() };
}

std::string cliData(const std::string& name)
{
    return testDataPath("cli/" + name);
}

std::string copyChart(const ScratchDirectory& scratch, const std::string& name)
{
    const std::string path = scratch.file(name);
    writeFileBytes(path, readFileBytes(cliData(name)));
    return path;
}
