#pragma once
// Fixed text that wraps within the label's width, from the top-left corner.
//
// The label heights of the layout allow one em per line, as a CJK font
// with square metrics needs. The CJK fonts at hand have far taller line
// spacing, so the text is set here with lines one em apart and each line's
// ideographs filling its em square.

#include <QLabel>

namespace ui {

class Label : public QLabel {
    Q_OBJECT

public:
    Label(const QString& text, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace ui
