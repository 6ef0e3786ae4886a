#pragma once

#include "builders/BuildOutcome.h"

class QProgressBar;

namespace mervasto {

// Shows a build's progress on a builder dialog's bar. A build runs on the UI thread without
// returning to the event loop and reports every record, so the bar is moved and repainted at
// once only when the value has changed by about one percent of the range, or has reached the
// maximum; in between the bar shows the value to within that percent. A value past the
// maximum is held at the maximum, and a range whose maximum is not above its minimum (a pass
// over no rows) shows an empty bar; neither is an error.
class ProgressBarAdapter : public BuildProgress {
public:
    explicit ProgressBarAdapter(QProgressBar& bar);

    void setRange(int minimum, int maximum) override;
    void setValue(int value) override;

private:
    bool isEmptyRange() const { return maximum_ <= minimum_; }
    bool isWorthShowing(int value) const;
    void show(int value);

    QProgressBar& bar_;
    int minimum_;
    int maximum_;
    int step_ = 1;
    int shownValue_;
};

} // namespace mervasto
