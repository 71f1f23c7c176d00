#pragma once
// Flat tax on interest and dividends, and on incidental income.

namespace tax {

float InterestDividendTax(double income);

struct IncidentalIncome {
    float tax;
    bool exempt;  // the income fell in the exemption band of 0 to 10000
};
IncidentalIncome IncidentalIncomeTax(double income);

}  // namespace tax
