#include "app/form.hpp"
#include "app/sections/present.hpp"
#include "app/sections/sections.hpp"
#include "tax/arithmetic.hpp"
#include "tax/business.hpp"

namespace app {

void Command3_Click(Form& form) {
    const double costs = AmountIn(form.field(Control::Text11));
    const double income = AmountIn(form.field(Control::Text10));
    const double taxable = tax::checked::Sub(income, costs);
    PublishResult(form, form.field(Control::Text12),
                  tax::BusinessIncomeTax(taxable, form.edition()));
}

}  // namespace app
