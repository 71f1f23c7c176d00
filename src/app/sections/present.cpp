#include "app/sections/present.hpp"

#include "app/effects.hpp"
#include "app/form.hpp"
#include "tax/amount.hpp"
#include "tax/arithmetic.hpp"

namespace app {
namespace {

QString AmountText(float tax) { return QString::fromStdString(tax::FormatAmount(tax)); }

}  // namespace

double AmountIn(const QLineEdit& field) { return tax::ReadAmount(field.text().toStdString()); }

QString TaxPrompt(const QString& amountText) {
    return QString::fromUtf8("您应缴纳缴个人所得税 ") + amountText + QString::fromUtf8(" 元。");
}

void ShowTaxResult(Form& form, float tax) {
    PresentBox(form,
               {TaxPrompt(AmountText(tax)), QString::fromUtf8("结果！"), ui::BoxIcon::Information});
}

void PublishResult(Form& form, ui::Field& output, float tax) {
    ShowTaxResult(form, tax);
    output.write(AmountText(tax));
    output.setEnabled(false);
}

void Press(void (*click)(Form&), Form& form) {
    try {
        click(form);
    } catch (const tax::ArithmeticError&) {
        PresentBox(form,
                   {QString::fromUtf8("输入的金额超出了可以计算的范围，本次计算未作任何更改。"),
                    QString::fromUtf8("计算错误"), ui::BoxIcon::Exclamation});
    }
}

}  // namespace app
