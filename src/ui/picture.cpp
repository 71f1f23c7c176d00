#include "ui/picture.hpp"

#include <QPainter>

namespace ui {

Picture::Picture(const QString& normal, const QString& doubleDensity, QWidget* parent)
    : QWidget(parent), normal_(normal), double_(doubleDensity) {
    double_.setDevicePixelRatio(2);
}

// The choice is made when painting, so moving to another screen picks the
// right one; both have the same logical size.
void Picture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool dense = devicePixelRatioF() > 1 && !double_.isNull();
    painter.drawPixmap(0, 0, dense ? double_ : normal_);
}

}  // namespace ui
