#include "app/editions.hpp"

namespace app {
namespace {

tax::Edition Other(tax::Edition edition) {
    return edition == tax::Edition::OldRules ? tax::Edition::NewRules : tax::Edition::OldRules;
}

void ShowAndActivate(Form& form) {
    form.show();
    form.raise();
    form.activateWindow();
}

}  // namespace

Editions::Editions() = default;
Editions::~Editions() = default;

std::unique_ptr<Form>& Editions::slot(tax::Edition edition) {
    return edition == tax::Edition::OldRules ? oldRules_ : newRules_;
}

Form* Editions::window(tax::Edition edition) const {
    return edition == tax::Edition::OldRules ? oldRules_.get() : newRules_.get();
}

void Editions::Start() {
    slot(tax::Edition::OldRules) = std::make_unique<Form>(tax::Edition::OldRules, *this);
    ShowAndActivate(*oldRules_);
}

// The other window is shown before this one is hidden, so one is always visible.
void Editions::SwitchEdition(Form& from) {
    std::unique_ptr<Form>& to = slot(Other(from.edition()));
    if (!to) {
        to = std::make_unique<Form>(Other(from.edition()), *this);
        to->move(from.pos());  // a new window takes the place of the one it replaces
    }
    ShowAndActivate(*to);
    from.hideInPlace();
}

}  // namespace app
