#pragma once

// The line on standard error that shows how far a long run over many charts is: charts
// done of all, charts per second and the time left. It is redrawn in place with a
// carriage return and cleared before anything else is written to standard error and
// when the run ends.

#include <chrono>
#include <ostream>
#include <string>

class ProgressLine {
public:
    using Clock = std::chrono::steady_clock;

    // Shown from the start when immediate, else only once the run has taken a second.
    ProgressLine(std::ostream& err, int total, bool immediate);

    // Redraws the line when it is due.
    void update(int done);
    // Removes the line, so that other text can take its place.
    void clear();

private:
    std::ostream& err_;
    int total_;
    Clock::time_point start_;
    Clock::time_point nextDraw_;
    std::size_t shownLength_ = 0;
};
