#include "ui/picture.hpp"

#include <QPainter>

namespace ui {

Picture::Picture(const QString& normal, const QString& doubleDensity, QWidget* parent)
    : QWidget(parent), normalPath_(normal), doublePath_(doubleDensity) {}

const QPixmap& Picture::forDensity(bool dense) {
    if (dense && double_.isNull() && double_.load(doublePath_)) double_.setDevicePixelRatio(2);
    if (dense && !double_.isNull()) return double_;
    if (normal_.isNull()) normal_.load(normalPath_);
    return normal_;
}

// The choice is made when painting, so moving to another screen picks the
// right one; both have the same logical size.
void Picture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, forDensity(devicePixelRatioF() > 1));
}

}  // namespace ui
