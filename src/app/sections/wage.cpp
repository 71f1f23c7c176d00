#include "app/effects.hpp"
#include "app/form.hpp"
#include "app/sections/present.hpp"
#include "app/sections/sections.hpp"
#include "tax/amount.hpp"
#include "tax/wage.hpp"

namespace app {
namespace {

QString DoubleText(double amount) {
    return QString::fromStdString(tax::FormatDoubleAmount(amount));
}

void ScoldEmptyWage(Form& form) {
    PresentBox(form, {QString::fromUtf8("您输入的总额收入为空气，经本专家分析，认定您的智商高达0，"
                                        "如此简单的工作不适合您来操作，请退出！"),
                      QString::fromUtf8("玩人呢还是智商不达标呢！！！！！！！"),
                      ui::BoxIcon::Exclamation});
}

}  // namespace

// Unlike the other sections, the wage section writes its fields before any
// box and shows the tax at full double precision.
void Command2_Click(Form& form) {
    if (form.field(Control::Text1).text().isEmpty()) {
        ScoldEmptyWage(form);
        ExitProgram();
        return;
    }
    const tax::WageOutcome outcome =
        tax::WageSection(AmountIn(form.field(Control::Text1)), AmountIn(form.field(Control::Text2)),
                         AmountIn(form.field(Control::Text3)), AmountIn(form.field(Control::Text4)),
                         AmountIn(form.field(Control::Text7)), form.edition());

    ui::Field& taxField = form.field(Control::Text6);
    ui::Field& taxableField = form.field(Control::Text5);
    taxField.write(DoubleText(outcome.tax));
    taxableField.write(DoubleText(outcome.taxable));
    taxField.setEnabled(false);
    taxableField.setEnabled(false);

    PresentBox(form, {TaxPrompt(DoubleText(outcome.tax)), QString::fromUtf8("纳税结果！"),
                      ui::BoxIcon::Information});
    PresentBox(form, {QString::fromUtf8("您本月所得个人收入为 ") +
                          QString::fromStdString(tax::FormatAmount(outcome.netIncome)) +
                          QString::fromUtf8(" 元。"),
                      QString::fromUtf8("收入结果！"), ui::BoxIcon::Information});
}

}  // namespace app
