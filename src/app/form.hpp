#pragma once
// One edition window: its controls built from the layout tables, its buttons
// wired to the section handlers.

#include "app/layout.hpp"
#include "tax/tax.hpp"
#include "ui/field.hpp"
#include "ui/window.hpp"

namespace app {

class Editions;

// The font of a control of the layout, as the windows use it.
const QFont& FontOf(Font font);

class Form : public ui::Window {
public:
    Form(tax::Edition edition, Editions& editions);

    tax::Edition edition() const { return edition_; }

    // A text field by its name, "Text1" to "Text20".
    ui::Field& field(const char* name) const;

private:
    void AddControls();
    void AddLines();
    void DescribeControls();
    void WireButtons();
    void SetTabOrder();

    tax::Edition edition_;
    Editions& editions_;
};

}  // namespace app
