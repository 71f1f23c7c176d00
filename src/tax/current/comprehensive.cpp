// Comprehensive income: the annual table, the cumulative withholding of wages, the annual
// one-time bonus and the annual settlement.

#include "tax/current.hpp"
#include "tax/current/tables.hpp"

#include <algorithm>

namespace tax::current {
namespace {

using detail::ClampToFen;
using detail::Exact;
using detail::Wide;

Wide AnnualTax(Exact taxable) { return detail::ByTable(detail::kAnnualTable, taxable).tax; }

// The four incomes reduced as the settlement counts them, in the order the rule is written.
Exact SettlementIncome(const SettlementInput& in) {
    using detail::kAuthorPercent;
    using detail::kRemunerationPercent;
    return Exact(in.wages) + Exact(in.labour).Percent(kRemunerationPercent) +
           Exact(in.royalty).Percent(kRemunerationPercent) +
           Exact(in.author).Percent(kRemunerationPercent).Percent(kAuthorPercent);
}

bool PaymentWaived(const SettlementInput& in, Wide balance) {
    const Wide grossIncome = Wide{in.wages} + in.labour + in.author + in.royalty;
    return balance > 0 &&
           (grossIncome <= detail::kWaiverIncomeUpTo || balance <= detail::kWaiverPaymentUpTo);
}

}  // namespace

Fen AnnualTableTax(Fen taxable) { return ClampToFen(AnnualTax(Exact(taxable))); }

std::vector<MonthRow> WageWithholding(const WageInput& in) {
    std::vector<MonthRow> rows;
    if (in.firstMonth < 1 || in.firstMonth > 12) return rows;
    Wide withheldBefore = 0;
    for (int month = in.firstMonth; month <= 12; ++month) {
        const Wide monthsWorked = month - in.firstMonth + 1;
        const Wide income = Wide{in.monthlyGross} * monthsWorked;
        const Wide basic = Wide{detail::kMonthlyBasicDeduction} * monthsWorked;
        const Wide deductions = (Wide{in.special} + in.additional + in.other) * monthsWorked;
        const Wide taxable = income - basic - deductions;
        const detail::TableTax byTable = detail::ByTable(detail::kAnnualTable, Exact(taxable));
        // A month whose cumulative tax falls short of what was withheld withholds nothing,
        // and a later month makes up before it withholds again.
        const Wide withheld = std::max<Wide>(0, byTable.tax - withheldBefore);
        withheldBefore += withheld;
        rows.push_back({month, ClampToFen(income), ClampToFen(basic), ClampToFen(deductions),
                        ClampToFen(taxable), byTable.row ? byTable.row->ratePercent : 0,
                        byTable.row ? byTable.row->quickDeduction : 0, ClampToFen(byTable.tax),
                        ClampToFen(withheld),
                        ClampToFen(Wide{in.monthlyGross} - in.special - withheld)});
    }
    return rows;
}

Fen BonusSeparateTax(Fen bonus) {
    const Exact amount(bonus);
    if (amount <= Exact()) return 0;
    // The row of bonus / 12, found without dividing: bonus <= 12 × bound.
    const detail::Row& row = detail::RowFor(detail::kMonthlyTable, amount, detail::kBonusMonths);
    return ClampToFen(detail::RowTax(row, amount).RoundedFen());
}

// Both annual taxes are the tax figures a payroll clerk would write down, each rounded to the
// fen, so the difference is exactly what they show.
Fen BonusCombinedTax(Fen annualTaxable, Fen bonus) {
    if (bonus <= 0) return 0;
    const Exact without(annualTaxable);
    return ClampToFen(AnnualTax(without + Exact(bonus)) - AnnualTax(without));
}

Settlement AnnualSettlement(const SettlementInput& in) {
    const Exact deductions = Exact(detail::kAnnualBasicDeduction) + Exact(in.special) +
                             Exact(in.additional) + Exact(in.other);
    const Exact taxable = SettlementIncome(in) - deductions;
    const Wide tax = AnnualTax(taxable);
    const Wide balance = tax - in.withheld;
    return {ClampToFen(taxable.RoundedFen()), ClampToFen(tax), ClampToFen(balance),
            PaymentWaived(in, balance)};
}

}  // namespace tax::current
