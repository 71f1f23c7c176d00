#include "app/editions.hpp"

#include "app/application.hpp"

namespace app {
namespace {

tax::Edition Other(tax::Edition edition) {
    return edition == tax::Edition::OldRules ? tax::Edition::NewRules : tax::Edition::OldRules;
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

std::unique_ptr<Form> Editions::makeForm(tax::Edition edition) {
    auto form = std::make_unique<Form>(edition);
    QObject::connect(form.get(), &Form::switchRequested, form.get(),
                     [this, from = form.get()] { switchEdition(*from); });
    return form;
}

void Editions::start() {
    slot(tax::Edition::OldRules) = makeForm(tax::Edition::OldRules);
    ShowAndActivate(*oldRules_);
}

// The other window is shown before this one is hidden, so one is always visible.
void Editions::switchEdition(Form& from) {
    std::unique_ptr<Form>& to = slot(Other(from.edition()));
    if (!to) {
        to = makeForm(Other(from.edition()));
        to->move(from.pos());  // a new window takes the place of the one it replaces
    }
    ShowAndActivate(*to);
    from.hideInPlace();
}

}  // namespace app
