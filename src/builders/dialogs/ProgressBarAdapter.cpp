#include "builders/dialogs/ProgressBarAdapter.h"

#include <QProgressBar>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace mervasto {

namespace {

constexpr std::int64_t StepsPerRange = 100;

} // namespace

ProgressBarAdapter::ProgressBarAdapter(QProgressBar& bar)
    : bar_(bar), minimum_(bar.minimum()), maximum_(bar.maximum()), shownValue_(bar.value()) {}

void ProgressBarAdapter::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    const std::int64_t span = std::int64_t{maximum_} - minimum_;
    step_ = static_cast<int>(std::max<std::int64_t>(1, span / StepsPerRange));
    if (isEmptyRange())
        bar_.setRange(0, 1); // Qt would show an equal minimum and maximum as "busy"
    else
        bar_.setRange(minimum_, maximum_);
    shownValue_ = bar_.value();
    bar_.repaint();
}

void ProgressBarAdapter::setValue(int value) {
    const int held = std::clamp(value, minimum_, maximum_);
    if (isWorthShowing(held))
        show(held);
}

bool ProgressBarAdapter::isWorthShowing(int value) const {
    if (value == shownValue_)
        return false;
    return value == maximum_ || std::llabs(std::int64_t{value} - shownValue_) >= step_;
}

void ProgressBarAdapter::show(int value) {
    shownValue_ = value;
    bar_.setValue(isEmptyRange() ? 0 : value);
    bar_.repaint();
}

} // namespace mervasto
