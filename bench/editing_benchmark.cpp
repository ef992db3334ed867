#include <benchmark/benchmark.h>
#include <memory>

#include "bms/bms_reader.h"
#include "editing/definition_operations.h"
#include "editing/edit_history.h"
#include "heavy_chart.h"
#include "model/reference_channels.h"

namespace {

// A page whose refreshes cost nothing, so that only the operation itself is measured.
// Its selection is two fixed rows.
class QuietPage : public DefinitionPage {
public:
    QuietPage(BmsBms& document, DefinitionKind kind, int first, int second)
        : document_(document)
        , kind_(kind)
        , first_(first)
        , second_(second)
    {
    }

    BmsBms& document() override { return document_; }
    DefinitionKind kind() const override { return kind_; }
    bool isSelected(int row) override { return row == first_ || row == second_; }
    void select(int) override { }
    int caretRow() override { return first_; }
    void refreshRow(int) override { }
    void refreshAll() override { }

private:
    BmsBms& document_;
    DefinitionKind kind_;
    int first_;
    int second_;
};

std::unique_ptr<BmsBms> readHeavyChart(benchmark::State& state, const HeavyChartShape& shape)
{
    BmsReader reader;
    reader.setNoticeSink({});
    std::unique_ptr<BmsBms> document;
    if (!reader.readBytes(heavyChartText(shape), document))
        state.SkipWithError("the heavy chart did not read");
    return document;
}

// The heavy chart of range(0) measures and range(1) lanes of channel 01, in base range(2)
// with every index of the base defined.
HeavyChartShape shapeOfRun(const benchmark::State& state)
{
    const IndexBase base = IndexBase::ofRadix(static_cast<int>(state.range(2)));
    return { .measures = static_cast<int>(state.range(0)),
        .lanes = static_cast<int>(state.range(1)),
        .sounds = base.rowCount() - 1,
        .base = base };
}

// Objects the renumbering scan visits: those of the WAV lines with their lanes.
long long wavObjects(BmsBms& document)
{
    long long objects = 0;
    for (BmsChannel* line = document.firstLine(); line; line = line->next()) {
        for (BmsChannel* lane = line; lane; lane = lane->child()) {
            if (isWavChannel(lane->channel()))
                objects += static_cast<long long>(lane->objectCount());
        }
    }
    return objects;
}

// Items are the objects scanned, so items_per_second is objects per second.
void reportObjects(benchmark::State& state, BmsBms& document)
{
    const long long objects = wavObjects(document);
    state.SetItemsProcessed(state.iterations() * objects);
    state.counters["objects_M"] = static_cast<double>(objects) / 1e6;
}

// Moves every index of 01 to the last row but one one up again, undoing a compaction of a
// chart without 01.
void closeHoleAt01(BmsBms& document, ListExchanger& plan)
{
    const BmsRegistArray& table = *document.wavTable();
    plan.reset(&document, kKindWav);
    for (int row = table.rowCount() - 2; row >= 1; --row)
        plan.add(table.wordAt(row), table.wordAt(row + 1));
    plan.apply();
}

// Runs measure(document, page, plan) on the heavy chart of the run without index 01, so
// that compacting moves every other WAV index down by one: the longest plan there is. The
// page is on the WAV list.
template <typename Measure> void measureOnChartWithHoleAt01(benchmark::State& state, Measure&& measure)
{
    HeavyChartShape shape = shapeOfRun(state);
    shape.firstSound = 2;
    auto document = readHeavyChart(state, shape);
    if (!document)
        return;
    QuietPage page(*document, kKindWav, 1, 2);
    ListExchanger plan;
    measure(*document, page, plan);
    reportObjects(state, *document);
}

void BM_CompactIndices(benchmark::State& state)
{
    measureOnChartWithHoleAt01(state, [&state](BmsBms& document, QuietPage& page, ListExchanger& plan) {
        for (auto _ : state) {
            compactIndices(page, plan);
            state.PauseTiming();
            if (plan.size() != document.wavTable()->rowCount() - 2) {
                state.SkipWithError("compacting planned other moves than every index from 02 down by one");
                break;
            }
            closeHoleAt01(document, plan);
            state.ResumeTiming();
        }
    });
}

// Undoing a recorded compaction of the longest plan; the redo between rounds is not timed.
// Beside BM_CompactIndices it shows that taking the step back costs no more than the step.
void BM_UndoCompactIndices(benchmark::State& state)
{
    measureOnChartWithHoleAt01(state, [&state](BmsBms& document, QuietPage& page, ListExchanger& plan) {
        EditHistory history;
        history.beginTableChange(document, page.kind(), plan);
        compactIndices(page, plan);
        if (!history.endTableChange(document, plan)) {
            state.SkipWithError("the compaction changed nothing");
            return;
        }
        for (auto _ : state) {
            history.undo(document, plan);
            state.PauseTiming();
            history.redo(document, plan);
            state.ResumeTiming();
        }
    });
}

// Exchanges 01 and the last index; doing it again restores the chart, so every round does the
// same work.
void BM_SwapTopTwoSelected(benchmark::State& state)
{
    auto document = readHeavyChart(state, shapeOfRun(state));
    if (!document)
        return;
    QuietPage page(*document, kKindWav, 1, document->wavTable()->rowCount() - 1);
    ListExchanger plan;
    for (auto _ : state)
        benchmark::DoNotOptimize(swapTopTwoSelected(page, plan));
    reportObjects(state, *document);
}

// A plan that exchanges the pairs 01-02, 03-04, ... over its first range(0) indices, on the
// full heavy chart: the time does not depend on how many indices move.
void BM_ApplyPlanOfLength(benchmark::State& state)
{
    const int planLength = static_cast<int>(state.range(0));
    auto document = readHeavyChart(state, {});
    if (!document)
        return;
    ListExchanger plan;
    plan.reset(document.get(), kKindWav);
    const BmsRegistArray& table = *document->wavTable();
    for (int row = 1; row + 1 <= planLength; row += 2) {
        plan.add(table.wordAt(row), table.wordAt(row + 1));
        plan.add(table.wordAt(row + 1), table.wordAt(row));
    }
    for (auto _ : state)
        plan.apply();
    reportObjects(state, *document);
}

void heavyChartSizes(benchmark::internal::Benchmark* benchmark)
{
    benchmark->ArgNames({ "measures", "lanes", "base" });
    for (int measures : { 250, 500, 1000 })
        benchmark->Args({ measures, 32, 36 });
    benchmark->Args({ 1000, 8, 36 });
    benchmark->Args({ 1000, 32, 62 });
    benchmark->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_CompactIndices)->Apply(heavyChartSizes);
BENCHMARK(BM_UndoCompactIndices)->Apply(heavyChartSizes);
BENCHMARK(BM_SwapTopTwoSelected)->Apply(heavyChartSizes);
BENCHMARK(BM_ApplyPlanOfLength)->ArgName("plan_length")->Arg(2)->Arg(1294)->Unit(benchmark::kMillisecond);
