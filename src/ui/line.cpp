#include "ui/line.hpp"

#include <QPainter>

namespace ui {

Line::Line(QPoint from, QPoint to, QWidget* parent) : QWidget(parent), from_(from), to_(to) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // The widget covers just the line's bounding box, so it hides nothing else.
    setGeometry(QRect(from, to).normalized());
}

void Line::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.drawLine(from_ - pos(), to_ - pos());
}

}  // namespace ui
