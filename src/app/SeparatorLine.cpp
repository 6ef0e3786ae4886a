#include "app/SeparatorLine.h"

#include <QPainter>

namespace mervasto {

SeparatorLine::SeparatorLine(QColor colour, int thickness, QWidget* parent)
    : QWidget(parent), colour_(colour) {
    setFixedHeight(thickness);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

SeparatorLine::SeparatorLine(int thickness, QWidget* parent)
    : SeparatorLine(QColor(), thickness, parent) {}

QColor SeparatorLine::colour() const {
    return colour_.isValid() ? colour_ : palette().color(QPalette::WindowText);
}

void SeparatorLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), colour());
}

} // namespace mervasto
