#include "app/form.hpp"
#include "app/sections/present.hpp"
#include "app/sections/sections.hpp"

namespace app {

void Command1_Click(Form& form) {
    const double payment = ReadAmount(form.field("Text8"));
    PublishResult(form.field("Text9"), tax::LabourRemunerationTax(payment));
}

}  // namespace app
