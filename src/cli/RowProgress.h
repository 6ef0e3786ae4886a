#pragma once

#include "cli/Console.h"

#include <chrono>
#include <cstddef>
#include <string>

namespace mervasto::cli {

// One progress line: a bar, rows done of total, the rate and the time left, e.g.
// "[#####...............]  2500/10000 rows  1250 rows/s  0:06 left".
std::string rowProgressLine(std::size_t done, std::size_t total, double elapsedSeconds);

// A row-by-row job's progress on stderr, redrawn in place about ten times a second; shown only
// when stderr is a terminal.
class RowProgress {
public:
    RowProgress(Console& console, std::size_t total);

    void update(std::size_t done);
    // Draws the final state and ends the line, if a line was shown.
    void finish(std::size_t done);

private:
    using Clock = std::chrono::steady_clock;

    void draw(std::size_t done);

    Console& console_;
    const bool shown_;
    const std::size_t total_;
    const Clock::time_point start_ = Clock::now();
    Clock::time_point lastDrawn_;
};

} // namespace mervasto::cli
