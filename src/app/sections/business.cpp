#include "app/form.hpp"
#include "app/sections/present.hpp"
#include "app/sections/sections.hpp"

namespace app {

void Command3_Click(Form& form) {
    const double costs = ReadAmount(form.field("Text11"));
    const double income = ReadAmount(form.field("Text10"));
    const double taxable = tax::checked::Sub(income, costs);
    PublishResult(form.field("Text12"), tax::BusinessIncomeTax(taxable, form.edition()));
}

}  // namespace app
