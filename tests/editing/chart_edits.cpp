#include "editing/chart_edits.h"

#include "bms/bms_reader.h"
#include "editing/definition_operations.h"
#include "editing/file_registration.h"
#include "support/test_support.h"

std::vector<std::filesystem::path> everyTestChart()
{
    const std::filesystem::path data = std::filesystem::path(testDataPath("cli")).parent_path();
    std::vector<std::filesystem::path> charts;
    for (const auto& folder : { data, data.parent_path() / "e2e", data.parent_path().parent_path() / "examples" }) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
            if (entry.path().extension() == ".bms")
                charts.push_back(entry.path());
        }
    }
    return charts;
}

std::unique_ptr<BmsBms> readChartFile(const std::filesystem::path& path)
{
    BmsReader reader;
    reader.setNoticeSink({});
    std::unique_ptr<BmsBms> document;
    reader.read(path.string().c_str(), document);
    return document;
}

const std::vector<ChartEdit>& everyChartEdit()
{
    static const std::vector<ChartEdit> edits = {
        { "swap 01 02",
            [](RecordingPage& page, ListExchanger& plan) {
                page.selection = { 1, 2 };
                swapTopTwoSelected(page, plan);
            },
            true },
        { "swap 01 and the last",
            [](RecordingPage& page, ListExchanger& plan) {
                page.selection = { 1, page.rowCount() - 1 };
                swapTopTwoSelected(page, plan);
            },
            true },
        { "move 01 02 down",
            [](RecordingPage& page, ListExchanger& plan) {
                page.selection = { 1, 2 };
                moveSelection(page, plan, false);
            },
            true },
        { "move 03 up",
            [](RecordingPage& page, ListExchanger& plan) {
                page.selection = { 3 };
                moveSelection(page, plan, true);
            },
            true },
        { "remove 01 03",
            [](RecordingPage& page, ListExchanger&) {
                page.selection = { 1, 3 };
                removeSelected(page);
            },
            false },
        { "unregister unused", [](RecordingPage& page, ListExchanger&) { unregisterUnreferenced(page); }, true },
        { "compact", [](RecordingPage& page, ListExchanger& plan) { compactIndices(page, plan); }, true },
        // A name registered where objects wait for one changes what they play, as meant: the
        // name goes to the first slot that nothing uses or holds.
        { "register",
            [](RecordingPage& page, ListExchanger&) {
                UsageFlags used;
                markUsed(page, used);
                page.caret = 1;
                while (page.caret < page.rowCount() - 1
                    && (used[page.wordAt(page.caret).value()] || page.table().hasRow(page.caret)))
                    ++page.caret;
                registerFileNames(page, { "x.wav" });
            },
            true },
    };
    return edits;
}
