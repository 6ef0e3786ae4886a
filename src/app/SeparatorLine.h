#pragma once

#include <QColor>
#include <QWidget>

namespace mervasto {

// A horizontal line drawn across the whole width of the widget, `thickness` pixels high, in a
// fixed colour or (without one) in the palette's text colour. Two of them, a dark one and a
// white one below it, make an etched separator.
class SeparatorLine : public QWidget {
    Q_OBJECT

public:
    SeparatorLine(QColor colour, int thickness, QWidget* parent);
    // A line in the palette's text colour.
    SeparatorLine(int thickness, QWidget* parent);

    QColor colour() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
};

} // namespace mervasto
