// Times the list pages on the heavy chart under real list boxes: refreshing every row of
// both pages, compacting the indices with the refresh that follows, and narrowing the
// WAV page by a filter and widening it again; and the status
// bar's counts with the lookup of every file name in the chart's folder, on the heavy
// chart and on the chart named as the first argument, if any. Run it under Wine by hand;
// it prints figures and checks nothing.

#include <cstdio>
#include <memory>
#include <vector>

#include "bms/bms_reader.h"
#include "editing/definition_counts.h"
#include "editing/definition_operations.h"
#include "editing/row_marks.h"
#include "gui/list_set.h"
#include "gui/window/tt_app.h"
#include "gui/window/window_proc.h"
#include "gui_timing.h"
#include "heavy_chart.h"
#include "platform/chart_folder.h"

namespace {

constexpr const char* kWindowClass = "QuelmarnGuiBenchmark";
constexpr int kRepetitions = 5;

class BenchmarkWindow : public TtApp {
public:
    const char* className() override { return kWindowClass; }
};

bool registerWindowClass(HINSTANCE instance)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &TtWndProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassA(&windowClass) != 0;
}

std::unique_ptr<BmsBms> readHeavyChart(const std::string& text)
{
    BmsReader reader;
    reader.setNoticeSink({});
    std::unique_ptr<BmsBms> document;
    if (!reader.readBytes(text, document))
        return nullptr;
    return document;
}

// A plan exchanges rather than merges, so holes come from a chart that defines and
// uses only the first half of the rows: its sounds 01..I0 are spread over every other
// row (row r to row 2r - 1), which leaves the 647 even rows between them free, and
// compacting moves all but the first back.
constexpr int kHalfOfTheSounds = 648;

void openHolesInWavIndices(BmsBms& document, ListExchanger& plan)
{
    const BmsRegistArray& table = *document.wavTable();
    plan.reset(&document, kKindWav);
    for (int row = 1; row <= kHalfOfTheSounds; ++row)
        plan.add(table.wordAt(row), table.wordAt(2 * row - 1));
    plan.apply();
}

struct Pages {
    ListSet& wav;
    ListSet& bmp;
    void show(BmsBms& document)
    {
        wav.showDocument(document, RowMarks {});
        bmp.showDocument(document, RowMarks {});
        paintPending();
    }
};

// The status bar's work after opening a chart and after each edit: the counts, and the
// files looked up in the folder of chartPath, first with the folder's listing, then in
// the listing alone.
void reportStatus(const char* chart, BmsBms& document, const std::string& chartPath)
{
    std::vector<double> countTimes, coldTimes, warmTimes;
    int missing = 0;
    for (int i = 0; i < kRepetitions; ++i) {
        countTimes.push_back(milliseconds([&] { countDefinitions(document, kKindWav); }));
        ChartFolder folder(chartPath);
        std::unique_ptr<ListedFolderLookup> files;
        coldTimes.push_back(milliseconds([&] {
            files = std::make_unique<ListedFolderLookup>(folder, folder.files());
            missing = countMissingFiles(document, kKindWav, *files);
        }));
        warmTimes.push_back(milliseconds([&] { countMissingFiles(document, kKindWav, *files); }));
    }
    const std::string prefix = std::string("status, ") + chart + ", ";
    report((prefix + "counts").c_str(), countTimes);
    report((prefix + "files looked up (" + std::to_string(missing) + " missing)").c_str(), coldTimes);
    report((prefix + "files looked up in the listing").c_str(), warmTimes);
}

} // namespace

int main(int argumentCount, char** arguments)
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    InitCommonControls();
    if (!registerWindowClass(instance)) {
        std::fprintf(stderr, "the window class could not be registered\n");
        return 1;
    }
    const std::string text = heavyChartText();
    std::unique_ptr<BmsBms> document = readHeavyChart(text);
    if (!document) {
        std::fprintf(stderr, "the heavy chart did not read\n");
        return 1;
    }
    std::printf(
        "heavy chart: %.1f MB, %d channel lines\n", static_cast<double>(text.size()) / 1e6, document->lineCount());

    ListExchanger plan;
    BenchmarkWindow window;
    window.create(nullptr, 0, instance);
    window.move(0, 0, 800, 600);
    ListSet wav(*document, kKindWav, plan);
    ListSet bmp(*document, kKindBmp, plan);
    wav.create(&window, 1051, instance);
    bmp.create(&window, 1052, instance);
    wav.move(210, 30, 580, 560);
    bmp.move(210, 30, 580, 560);
    // As in the editor: the WAV page is shown and the BMP page hidden behind its tab.
    window.show();
    wav.show();
    Pages pages { wav, bmp };
    pages.show(*document);

    std::vector<double> wavTimes, bmpTimes, bothTimes;
    for (int i = 0; i < kRepetitions; ++i) {
        const double wavTime = milliseconds([&] {
            wav.refreshAll();
            paintPending();
        });
        const double bmpTime = milliseconds([&] {
            bmp.refreshAll();
            paintPending();
        });
        wavTimes.push_back(wavTime);
        bmpTimes.push_back(bmpTime);
        bothTimes.push_back(wavTime + bmpTime);
    }
    report("refreshAll, WAV page (shown)", wavTimes);
    report("refreshAll, BMP page (hidden)", bmpTimes);
    report("refreshAll, both pages (target < 100 ms)", bothTimes);

    HeavyChartShape half;
    half.sounds = kHalfOfTheSounds;
    const std::string halfText = heavyChartText(half);
    std::vector<double> asReadTimes, holesTimes;
    for (int i = 0; i < kRepetitions; ++i) {
        asReadTimes.push_back(milliseconds([&] {
            compactIndices(wav, plan);
            paintPending();
        }));
    }
    for (int i = 0; i < kRepetitions; ++i) {
        document = readHeavyChart(halfText);
        openHolesInWavIndices(*document, plan);
        pages.show(*document);
        holesTimes.push_back(milliseconds([&] {
            compactIndices(wav, plan);
            paintPending();
        }));
    }
    report("compactIndices + refresh, WAV, as read (no hole)", asReadTimes);
    report("compactIndices + refresh, WAV, 647 holes (target < 150 ms)", holesTimes);
    std::printf("after compacting: row 01 \"%s\", row HZ \"%s\"\n", document->wavTable()->get(BmsWord("01")),
        document->wavTable()->get(BmsWord("HZ")));

    // Every other row used: the "used" filter deletes half the items, and showing all
    // rows again inserts them.
    RowMarks marks;
    for (int row = 0; row < wav.rowCount(); row += 2)
        marks.references[static_cast<std::size_t>(wav.wordAt(row).value())] = 1;
    wav.showMarks(marks);
    paintPending();
    std::vector<double> narrowTimes, widenTimes;
    for (int i = 0; i < kRepetitions; ++i) {
        narrowTimes.push_back(milliseconds([&] {
            wav.setFilter(RowFilter::Used);
            paintPending();
        }));
        widenTimes.push_back(milliseconds([&] {
            wav.setFilter(RowFilter::All);
            paintPending();
        }));
    }
    wav.setFilter(RowFilter::Used);
    std::printf("rows shown under \"used\": %d of %d\n",
        static_cast<int>(SendMessageA(wav.handle(), LB_GETCOUNT, 0, 0)), wav.rowCount());
    wav.setFilter(RowFilter::All);
    report("filter \"used\", WAV (target < 100 ms)", narrowTimes);
    report("filter back to all rows, WAV (target < 100 ms)", widenTimes);

    // The heavy chart's names are in no folder: every one is tried with each extension.
    reportStatus("heavy chart", *document, "heavy.bms");
    if (argumentCount > 1) {
        std::unique_ptr<BmsBms> chart;
        BmsReader reader;
        reader.setNoticeSink({});
        if (!reader.read(arguments[1], chart)) {
            std::fprintf(stderr, "%s did not read\n", arguments[1]);
            return 1;
        }
        reportStatus(arguments[1], *chart, arguments[1]);
    }
    return 0;
}
