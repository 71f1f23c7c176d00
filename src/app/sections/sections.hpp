#pragma once
// The handlers of the seven section buttons. Each works on the controls of
// the window whose button was pressed.

namespace app {

class Form;

void Command1_Click(Form& form);  // labour remuneration
void Command2_Click(Form& form);  // wages and salaries
void Command3_Click(Form& form);  // business and contracting income
void Command4_Click(Form& form);  // author's remuneration
void Command5_Click(Form& form);  // royalties
void Command6_Click(Form& form);  // interest and dividends
void Command7_Click(Form& form);  // incidental income

}  // namespace app
