#include "app/form.hpp"
#include "app/sections/present.hpp"
#include "app/sections/sections.hpp"

namespace app {

void Command4_Click(Form& form) {
    const double income = ReadAmount(form.field("Text13"));
    PublishResult(form.field("Text14"), tax::AuthorRemunerationTax(income));
}

void Command5_Click(Form& form) {
    const double income = ReadAmount(form.field("Text15"));
    PublishResult(form.field("Text16"), tax::RoyaltyTax(income));
}

}  // namespace app
