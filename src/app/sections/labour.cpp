#include "app/form.hpp"
#include "app/sections/present.hpp"
#include "app/sections/sections.hpp"
#include "tax/labour.hpp"

namespace app {

void Command1_Click(Form& form) {
    const double payment = AmountIn(form.field(Control::Text8));
    PublishResult(form, form.field(Control::Text9), tax::LabourRemunerationTax(payment));
}

}  // namespace app
