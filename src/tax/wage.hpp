#pragma once
// Monthly wage and salary tax.

#include "tax/edition.hpp"

namespace tax {

// The monthly threshold of the edition, taken off the wage before the table: 2000
// under the old rules, 3500 under the new ones.
double Threshold(Edition edition);

// The edition's table applied to the taxable income: the table only, no zero rule.
double WageSalaryTax(double taxableIncome, Edition edition);

// What one press of the wage button yields, after the zero rule.
struct WageOutcome {
    double taxable;
    double tax;
    float netIncome;
};

// The contributions and the threshold taken off the gross wage, the table, the
// net income and the zero rule, with every overflow check in that order.
WageOutcome WageSection(double gross, double housingFund, double medicalInsurance,
                        double pensionInsurance, double threshold, Edition edition);

}  // namespace tax
