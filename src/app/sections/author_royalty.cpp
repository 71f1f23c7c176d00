#include "app/form.hpp"
#include "app/sections/present.hpp"
#include "app/sections/sections.hpp"
#include "tax/author_royalty.hpp"

namespace app {

void Command4_Click(Form& form) {
    const double income = AmountIn(form.field(Control::Text13));
    PublishResult(form, form.field(Control::Text14), tax::AuthorRemunerationTax(income));
}

void Command5_Click(Form& form) {
    const double income = AmountIn(form.field(Control::Text15));
    PublishResult(form, form.field(Control::Text16), tax::RoyaltyTax(income));
}

}  // namespace app
