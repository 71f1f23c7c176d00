#include "ui/label.hpp"

#include <QFontInfo>
#include <QPainter>
#include <QTextLayout>

namespace ui {
namespace {

// Height of an ideograph above the baseline, in ems.
constexpr qreal kIdeographAscent = 0.88;

// Ink may overhang the last character's advance by a little; a line that
// fits by advances should not wrap because of it.
constexpr qreal kOverhangEms = 1.0 / 6;

}  // namespace

Label::Label(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextFormat(Qt::PlainText);
}

void Label::paintEvent(QPaintEvent*) {
    const qreal em = QFontInfo(font()).pixelSize();
    QTextLayout layout(text(), font(), this);
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (int row = 0;; ++row) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) break;
        line.setLineWidth(width() + kOverhangEms * em);
        line.setPosition(QPointF(0, (row + kIdeographAscent) * em - line.ascent()));
    }
    layout.endLayout();

    QPainter painter(this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    layout.draw(&painter, QPointF(0, 0));
}

}  // namespace ui
