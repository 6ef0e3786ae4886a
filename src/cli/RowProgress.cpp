#include "cli/RowProgress.h"

#include <cstdio>

namespace mervasto::cli {

namespace {

constexpr std::size_t BarWidth = 20;
constexpr auto RedrawInterval = std::chrono::milliseconds(100);

std::string timeText(double seconds) {
    const auto whole = static_cast<long long>(seconds + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", whole / 60, whole % 60);
    return text;
}

} // namespace

std::string rowProgressLine(std::size_t done, std::size_t total, double elapsedSeconds) {
    const std::size_t filled = total == 0 ? BarWidth : done * BarWidth / total;
    std::string line = "[" + std::string(filled, '#') + std::string(BarWidth - filled, '.') + "]";
    line += "  " + std::to_string(done) + "/" + std::to_string(total) + " rows";
    if (done == 0 || elapsedSeconds <= 0)
        return line;
    const double rate = static_cast<double>(done) / elapsedSeconds;
    line += "  " + std::to_string(static_cast<long long>(rate)) + " rows/s";
    line += "  " + timeText(static_cast<double>(total - done) / rate) + " left";
    return line;
}

RowProgress::RowProgress(Console& console, std::size_t total)
    : console_(console), shown_(console.errorIsTerminal()), total_(total) {}

void RowProgress::update(std::size_t done) {
    if (shown_ && Clock::now() - lastDrawn_ >= RedrawInterval)
        draw(done);
}

void RowProgress::finish(std::size_t done) {
    if (!shown_)
        return;
    draw(done);
    console_.err("\n");
}

void RowProgress::draw(std::size_t done) {
    lastDrawn_ = Clock::now();
    const std::chrono::duration<double> elapsed = lastDrawn_ - start_;
    // The spaces cover what a longer earlier line left at its end.
    console_.err("\r" + rowProgressLine(done, total_, elapsed.count()) + "    ");
}

} // namespace mervasto::cli
