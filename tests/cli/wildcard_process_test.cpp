// The Windows tool started from a console, which hands wildcards over as they are: the
// tool expands them itself, as other Windows command-line tools do. Under Wine only.
#ifdef _WIN32

#include <windows.h>

#include <cstdio>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/test_support.h"

using testing::HasSubstr;

namespace {

// The build puts the tool at src\cli\ beside the tests' tests\ directory.
std::string toolPath()
{
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    for (int up = 0; up < 2; ++up) {
        path.erase(path.find_last_of('\\'));
    }
    return path + "\\src\\cli\\quelmarn-cli.exe";
}

// What the tool writes to standard output, started through the command interpreter.
std::string outputOf(const std::string& arguments)
{
    // cmd /c takes off the outer quotes of a command line that starts with one.
    FILE* pipe = _popen(("\"\"" + toolPath() + "\" " + arguments + "\"").c_str(), "rb");
    std::string output;
    if (!pipe) {
        return "cannot start the tool";
    }
    char buffer[4096];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, got);
    }
    _pclose(pipe);
    return output;
}

class ToolWildcards : public testing::Test {
protected:
    void SetUp() override
    {
        if (GetFileAttributesA(toolPath().c_str()) == INVALID_FILE_ATTRIBUTES) {
            GTEST_SKIP() << "quelmarn-cli.exe is not built at " << toolPath();
        }
        // The second byte of "ソ" and of "表" in code page 932 is "\".
        for (const char* name : { "ソング.bms", "表.bms", "plain.bms", "notes.txt" }) {
            writeFileBytes(path(name), "#TITLE x\r\n");
        }
    }

    std::string path(const std::string& name) const { return folder + "\\" + name; }

    ScratchDirectory scratch;
    const std::string folder = scratch.path().string();
};

TEST_F(ToolWildcards, ExpandsStarsAndQuestionMarksOverDoubleByteNames)
{
    const struct {
        const char* pattern;
        std::vector<const char*> charts;
    } cases[] = {
        { "*.bms", { "ソング.bms", "表.bms", "plain.bms" } },
        { "ソ*", { "ソング.bms" } },
        { "?.BMS", { "表.bms" } },
    };
    for (const auto& test : cases) {
        const std::string output = outputOf("check " + path(test.pattern));
        size_t lines = 0;
        for (const char* chart : test.charts) {
            EXPECT_THAT(output, HasSubstr(path(chart) + ": ok\n")) << test.pattern;
        }
        for (char c : output) {
            lines += c == '\n' ? 1 : 0;
        }
        EXPECT_EQ(lines, test.charts.size()) << test.pattern << ": " << output;
    }
}

TEST_F(ToolWildcards, LeavesAPatternThatMatchesNothingAsItIs)
{
    EXPECT_THAT(outputOf("check " + path("*.pms")), HasSubstr(path("*.pms") + ":0: error 4: "));
}

} // namespace

#endif
