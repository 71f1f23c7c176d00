#include "app/effects.hpp"
#include "app/form.hpp"
#include "app/sections/present.hpp"
#include "app/sections/sections.hpp"
#include "tax/interest_incidental.hpp"

namespace app {

void Command6_Click(Form& form) {
    const double income = AmountIn(form.field(Control::Text17));
    PublishResult(form, form.field(Control::Text18), tax::InterestDividendTax(income));
}

void Command7_Click(Form& form) {
    const double income = AmountIn(form.field(Control::Text19));
    const tax::IncidentalIncome outcome = tax::IncidentalIncomeTax(income);
    if (outcome.exempt) {
        // No title of its own: the box bears the application's title.
        PresentBox(form, {QString::fromUtf8("友情提示，低于10000，无需纳税！"), QString(),
                          ui::BoxIcon::None});
    }
    PublishResult(form, form.field(Control::Text20), outcome.tax);
}

}  // namespace app
