#include "app/form.hpp"
#include "app/sections/present.hpp"
#include "app/sections/sections.hpp"
#include "ui/message_box.hpp"

namespace app {

void Command6_Click(Form& form) {
    const double income = ReadAmount(form.field("Text17"));
    PublishResult(form.field("Text18"), tax::InterestDividendTax(income));
}

void Command7_Click(Form& form) {
    const double income = ReadAmount(form.field("Text19"));
    const tax::IncidentalIncome outcome = tax::IncidentalIncomeTax(income);
    if (outcome.exempt) {
        // No title of its own: the box bears the application's title.
        ui::ShowBox({QString::fromUtf8("友情提示，低于10000，无需纳税！"), QString(), ui::BoxIcon::None});
    }
    PublishResult(form.field("Text20"), outcome.tax);
}

}  // namespace app
