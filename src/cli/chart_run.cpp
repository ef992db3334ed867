#include "cli/chart_run.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <sstream>
#include <thread>

#include "cli/exit_status.h"
#include "cli/progress_line.h"
#include "editing/file_name_rules.h"
#include "model/object_storage.h"
#include "platform/folder_entries.h"

namespace {

constexpr std::chrono::milliseconds kProgressTick(100);
// The most charts of one folder that a worker takes at once: enough for a song's
// charts, few enough that the other workers do not wait long at the end of a run.
constexpr std::size_t kLongestRun = 64;

unsigned defaultJobs()
{
    return std::max(1u, std::thread::hardware_concurrency());
}

// One worker's session, whose output is taken after each chart.
class Worker {
public:
    explicit Worker(bool quiet)
        : session_(out_, err_)
    {
        if (quiet) {
            session_.dropNotices();
        }
    }

    ChartWork work(const ChartItem& item, const ChartJob& job)
    {
        ChartWork work;
        try {
            ChartRead read { item.path, nullptr, {}, item.problem };
            if (read.problem.empty()) {
                read.problem = chartSizeProblem(item.path);
            }
            if (read.problem.empty()) {
                session_.read(item.path, read.document);
                read.result = lastParseResult();
            }
            job(session_, read, work);
        } catch (const std::exception& error) {
            err_ << "quelmarn-cli: " << item.path << ": " << error.what() << '\n';
            work.status = kFailureStatus;
            work.tally.failed = true;
        }
        work.out = take(out_);
        work.err = take(err_);
        return work;
    }

private:
    static std::string take(std::ostringstream& stream)
    {
        std::string text = stream.str();
        stream.str({});
        stream.clear();
        return text;
    }

    // Made on the worker's thread, which reads chart after chart.
    const SpareObjectBlocks spareBlocks_;
    std::ostringstream out_;
    std::ostringstream err_;
    CliSession session_;
};

// The charts of items from first up to the next one in another folder, at most
// kLongestRun of them.
std::size_t runEnd(const std::vector<ChartItem>& items, std::size_t first)
{
    const std::string folder = directoryPart(items[first].path, kPathSeparator == '\\');
    std::size_t end = first + 1;
    while (end < items.size() && end - first < kLongestRun
        && directoryPart(items[end].path, kPathSeparator == '\\') == folder) {
        ++end;
    }
    return end;
}

// Runs of charts for the workers, and their works as the workers finish them, handed
// out in the charts' order. A worker takes the charts of one folder together, so that
// it alone lists the folder's files.
class WorkQueue {
public:
    explicit WorkQueue(const std::vector<ChartItem>& items)
        : items_(items)
        , works_(items.size())
    {
    }

    // The charts [first, end) to work on next; nothing when all are handed out.
    std::optional<std::pair<std::size_t, std::size_t>> nextRun()
    {
        const std::lock_guard<std::mutex> lock(handOutMutex_);
        if (next_ == items_.size()) {
            return std::nullopt;
        }
        const std::size_t first = next_;
        next_ = runEnd(items_, first);
        return std::pair(first, next_);
    }

    // The works of the charts from first on, handed over together: the thread that prints
    // them is woken once for them rather than for every chart, and each wake-up and switch
    // of threads costs a few percent of the time a small chart takes.
    void finish(std::size_t first, std::vector<ChartWork>& works)
    {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            for (std::size_t i = 0; i < works.size(); ++i) {
                works_[first + i] = std::move(works[i]);
            }
            finished_ += static_cast<int>(works.size());
        }
        works.clear();
        ready_.notify_one();
    }

    // Waits at most one tick for the work of chart; nothing when it is not done yet.
    std::optional<ChartWork> take(std::size_t chart)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        ready_.wait_for(lock, kProgressTick, [&] { return works_[chart].has_value(); });
        std::optional<ChartWork> work = std::move(works_[chart]);
        works_[chart].reset();
        return work;
    }

    int finished()
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        return finished_;
    }

private:
    const std::vector<ChartItem>& items_;
    std::mutex handOutMutex_;
    std::size_t next_ = 0;
    std::mutex mutex_;
    std::condition_variable ready_;
    std::vector<std::optional<ChartWork>> works_;
    int finished_ = 0;
};

void addToTotals(RunTotals& totals, ChartWork& work)
{
    totals.status = std::max(totals.status, work.status);
    ++totals.charts;
    totals.failed += work.tally.failed ? 1 : 0;
    totals.missingFiles += work.tally.missesFiles ? 1 : 0;
    totals.unusedDefinitions += work.tally.unusedDefinitions > 0 ? 1 : 0;
    if (!work.json.empty()) {
        totals.json.push_back(std::move(work.json));
    }
}

} // namespace

void addRunOptions(CLI::App& command, RunOptions& options)
{
    options.jobs = defaultJobs();
    command.add_option("-j,--jobs", options.jobs, "Work on N charts at once (default: the number of processors)")
        ->option_text("N")
        ->check(CLI::Range(1u, 256u));
    auto* progress = command.add_flag_callback(
        "--progress", [&options] { options.progress = ProgressMode::Always; },
        "Show the progress line on standard error even when it is no terminal");
    auto* quiet = command.add_flag("--quiet", options.quiet, "Print only errors");
    progress->excludes(quiet);
}

std::string ChartRead::failureLine() const
{
    if (!problem.empty()) {
        return path + ": error: " + problem;
    }
    return readFailureLine(path, result);
}

RunTotals runOverCharts(
    CliSession& session, const RunOptions& options, const ChartList& charts, const ChartJob& job, const ChartDone& done)
{
    const std::vector<ChartItem>& items = charts.items;
    WorkQueue queue(items);
    const std::size_t workerCount = std::min<std::size_t>(options.jobs, items.size());
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < workerCount; ++t) {
        threads.emplace_back([&] {
            Worker worker(options.quiet);
            std::vector<ChartWork> works;
            while (const std::optional<std::pair<std::size_t, std::size_t>> run = queue.nextRun()) {
                // Slow charts go on within a progress tick rather than at the run's end.
                std::size_t first = run->first;
                auto handedOver = std::chrono::steady_clock::now();
                for (std::size_t chart = run->first; chart < run->second; ++chart) {
                    works.push_back(worker.work(items[chart], job));
                    const auto now = std::chrono::steady_clock::now();
                    if (chart + 1 == run->second || now - handedOver >= kProgressTick) {
                        queue.finish(first, works);
                        first = chart + 1;
                        handedOver = now;
                    }
                }
            }
        });
    }

    const bool showProgress = !options.quiet
        && (options.progress == ProgressMode::Always
            || (options.progress == ProgressMode::Automatic && session.errorIsTerminal() && !options.json));
    std::optional<ProgressLine> progress;
    if (showProgress) {
        progress.emplace(session.err(), static_cast<int>(items.size()), options.progress == ProgressMode::Always);
    }
    RunTotals totals;
    for (std::size_t chart = 0; chart < items.size();) {
        std::optional<ChartWork> work = queue.take(chart);
        if (work) {
            if (done) {
                done(chart, *work);
            }
            // Standard output may be the same terminal.
            if (progress && !(work->out.empty() && work->err.empty())) {
                progress->clear();
            }
            session.out() << work->out;
            session.err() << work->err;
            addToTotals(totals, *work);
            ++chart;
        }
        if (progress) {
            progress->update(queue.finished());
        }
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    if (progress) {
        progress->clear();
    }
    return totals;
}
