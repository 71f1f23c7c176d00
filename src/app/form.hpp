#pragma once
// One edition window: its controls built from the layout tables, its buttons
// wired to the section handlers.

#include "app/layout.hpp"
#include "tax/edition.hpp"
#include "ui/field.hpp"
#include "ui/window.hpp"

#include <QString>

#include <array>

namespace app {

// The font of a control of the layout, as the windows use it.
const QFont& FontOf(Font font);

// Text7's initial text: the edition's threshold, shown as every amount is.
QString ThresholdText(tax::Edition edition);

class Form : public ui::Window {
    Q_OBJECT

public:
    explicit Form(tax::Edition edition);

    tax::Edition edition() const { return edition_; }

    // A text field, Control::Text1 to Control::Text20.
    ui::Field& field(Control id) const;

    // A control of the window; null for one this edition leaves out.
    QWidget* control(Control id) const { return controls_[IndexOf(id)]; }

signals:
    // Command8 was pressed: the other edition's window should take this one's place.
    void switchRequested();

private:
    void addLines();
    void addControls();
    void describeControls();
    void wireButtons();
    void orderTabs();

    tax::Edition edition_;
    std::array<QWidget*, kControlCount> controls_{};
};

}  // namespace app
