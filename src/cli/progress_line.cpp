#include "cli/progress_line.h"

#include <cstdio>

namespace {

constexpr std::chrono::milliseconds kDelay(1000);
constexpr std::chrono::milliseconds kRedrawInterval(200);

} // namespace

ProgressLine::ProgressLine(std::ostream& err, int total, bool immediate)
    : err_(err)
    , total_(total)
    , start_(Clock::now())
    , nextDraw_(immediate ? start_ : start_ + kDelay)
{
}

void ProgressLine::update(int done)
{
    const Clock::time_point now = Clock::now();
    if (now < nextDraw_) {
        return;
    }
    nextDraw_ = now + kRedrawInterval;
    const double seconds = std::chrono::duration<double>(now - start_).count();
    const double rate = seconds > 0 ? done / seconds : 0;
    char line[128];
    int length = std::snprintf(line, sizeof line, "%d/%d charts, %.0f charts/s", done, total_, rate);
    if (rate > 0) {
        length += std::snprintf(line + length, sizeof line - static_cast<std::size_t>(length), ", %.0f s left",
            (total_ - done) / rate + 0.5);
    }
    const std::string text(line, static_cast<std::size_t>(length));
    // Spaces cover what a longer line before left.
    const std::size_t cover = shownLength_ > text.size() ? shownLength_ - text.size() : 0;
    err_ << '\r' << text << std::string(cover, ' ') << std::flush;
    shownLength_ = text.size();
}

void ProgressLine::clear()
{
    if (shownLength_ == 0) {
        return;
    }
    err_ << '\r' << std::string(shownLength_, ' ') << '\r' << std::flush;
    shownLength_ = 0;
}
