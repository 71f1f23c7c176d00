#include "tax/wage.hpp"

#include "tax/arithmetic.hpp"
#include "tax/bracket.hpp"

#include <array>

namespace tax {
namespace {

using detail::kOtherwise;
using detail::TaxBracket;

constexpr std::array<TaxBracket, 9> kOldRulesTable{{
    {{0, 500}, 0.05, 0},
    {{500, 2000}, 0.1, 25},
    {{2000, 5000}, 0.15, 125},
    {{5000, 20000}, 0.2, 375},
    {{20000, 40000}, 0.25, 1375},
    {{40000, 60000}, 0.3, 3375},
    {{60000, 80000}, 0.35, 6375},
    {{80000, 100000}, 0.4, 10375},
    {kOtherwise, 0.45, 15375},
}};

constexpr std::array<TaxBracket, 7> kNewRulesTable{{
    {{0, 1500}, 0.03, 0},
    {{1500, 4500}, 0.1, 105},
    {{4500, 9000}, 0.2, 555},
    {{9000, 35000}, 0.25, 1005},
    {{35000, 55000}, 0.3, 2755},
    {{55000, 80000}, 0.35, 5505},
    {kOtherwise, 0.45, 13505},
}};

}  // namespace

double Threshold(Edition edition) { return edition == Edition::OldRules ? 2000 : 3500; }

double WageSalaryTax(double taxableIncome, Edition edition) {
    return edition == Edition::OldRules ? detail::BracketTableTax(kOldRulesTable, taxableIncome)
                                        : detail::BracketTableTax(kNewRulesTable, taxableIncome);
}

WageOutcome WageSection(double gross, double housingFund, double medicalInsurance,
                        double pensionInsurance, double threshold, Edition edition) {
    using namespace checked;
    const double afterContributions =
        Sub(Sub(Sub(gross, housingFund), medicalInsurance), pensionInsurance);
    const double taxable = Sub(afterContributions, threshold);
    const double tax = WageSalaryTax(taxable, edition);
    // Computed, and able to fail, before the zero rule looks at the income. The
    // edition's own threshold is added back, never the field's text.
    const float netIncome = ToSingle(Sub(Add(taxable, Threshold(edition)), tax));
    if (taxable <= 0) {
        return {0, 0, ToSingle(afterContributions)};
    }
    return {taxable, tax, netIncome};
}

}  // namespace tax
