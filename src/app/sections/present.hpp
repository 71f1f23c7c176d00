#pragma once
// What the sections share: reading an amount from a field and presenting a tax.

#include "ui/field.hpp"

namespace app {

// The amount that the field's text starts with, 0 when there is none.
double ReadAmount(const QLineEdit& field);

// "您应缴纳缴个人所得税 " + the amount's text + " 元。", the prompt of every tax box.
QString TaxPrompt(const QString& amountText);

// The result box, "结果！"; returns once the user has dismissed it.
void ShowTaxResult(float tax);

// The result box first, then the same figure written into `output`, which is
// switched off again.
void PublishResult(ui::Field& output, float tax);

}  // namespace app
