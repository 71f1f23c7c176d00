#pragma once
// A fixed picture shown at its natural size, sharp on high-density screens.

#include <QPixmap>
#include <QWidget>

namespace ui {

class Picture : public QWidget {
    Q_OBJECT

public:
    // `doubleDensity` holds the same picture at twice the resolution.
    Picture(const QString& normal, const QString& doubleDensity, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QPixmap& forDensity(bool dense);

    QString normalPath_;
    QString doublePath_;
    QPixmap normal_;  // each decoded on first use only
    QPixmap double_;
};

}  // namespace ui
