#pragma once
// What the sections share: reading an amount from a field and presenting a tax.

#include "ui/field.hpp"

#include <QString>

namespace app {

class Form;

// The amount that the field's text starts with, 0 when there is none.
double AmountIn(const QLineEdit& field);

// "您应缴纳缴个人所得税 " + the amount's text + " 元。", the prompt of every tax box.
QString TaxPrompt(const QString& amountText);

// The result box, "结果！", on `form`; returns once the user has dismissed it.
void ShowTaxResult(Form& form, float tax);

// The result box first, then the same figure written into `output`, which is
// switched off again.
void PublishResult(Form& form, ui::Field& output, float tax);

// One press of a section button. An amount beyond the range that can be
// computed stops the press where it arises and is reported in a box of its own.
void Press(void (*click)(Form&), Form& form);

}  // namespace app
