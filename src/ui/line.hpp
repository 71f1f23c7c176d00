#pragma once
// A straight line between two points of its parent, drawn in the window text
// colour one pixel wide. It takes no input.

#include <QPoint>
#include <QWidget>

namespace ui {

class Line : public QWidget {
    Q_OBJECT

public:
    // End points in the parent's pixels.
    Line(QPoint from, QPoint to, QWidget* parent);

    QPoint from() const { return from_; }
    QPoint to() const { return to_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPoint from_;
    QPoint to_;
};

}  // namespace ui
