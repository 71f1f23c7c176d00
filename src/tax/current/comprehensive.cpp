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

Wide AnnualTax(const Parameters& p, Exact taxable) {
    return detail::ByTable(p.annual, taxable).tax;
}

// The wages as the settlement counts them: with the bonus, where it is merged.
Wide Wages(const SettlementInput& in, bool bonusMerged) {
    return Wide{in.wages} + (bonusMerged ? in.bonus : 0);
}

// The four incomes reduced as the settlement counts them, in the order the rule is written.
Exact SettlementIncome(const Parameters& p, const SettlementInput& in, bool bonusMerged) {
    const int reduced = p.remunerationPercent;
    return Exact(Wages(in, bonusMerged)) + Exact(in.labour).Percent(reduced) +
           Exact(in.royalty).Percent(reduced) +
           Exact(in.author).Percent(reduced).Percent(p.authorPercent);
}

bool PaymentWaived(const Parameters& p, const SettlementInput& in, bool bonusMerged, Wide balance) {
    if (!p.waiver || balance <= 0) return false;
    const Wide grossIncome = Wages(in, bonusMerged) + in.labour + in.author + in.royalty;
    return grossIncome <= p.waiver->incomeUpTo || balance <= p.waiver->paymentUpTo;
}

// The basic deduction counted by `month`.
Wide CumulativeBasic(const Parameters& p, const PayrollYear& year, int month) {
    switch (year.basic) {
    case BasicDeduction::MonthsEmployed:
        return Wide{p.monthlyBasicDeduction} * (month - year.firstMonth + 1);
    case BasicDeduction::FromJanuary: return Wide{p.monthlyBasicDeduction} * month;
    case BasicDeduction::WholeYear: return p.annualBasicDeduction;
    }
    return 0;
}

bool RunsToDecember(const PayrollYear& year) {
    return 1 <= year.firstMonth && year.firstMonth <= 12 &&
           year.months.size() == static_cast<std::size_t>(13 - year.firstMonth);
}

}  // namespace

Fen AnnualTableTax(const Parameters& p, Fen taxable) {
    return ClampToFen(AnnualTax(p, Exact(taxable)));
}

bool Available(const Parameters& p, BasicDeduction basic, int firstMonth) {
    if (firstMonth < 1 || firstMonth > 12) return false;
    switch (basic) {
    case BasicDeduction::MonthsEmployed: return true;
    case BasicDeduction::FromJanuary:
        return p.fromJanuaryFirstMonth && firstMonth >= *p.fromJanuaryFirstMonth;
    case BasicDeduction::WholeYear: return p.wholeYearBasic && firstMonth == 1;
    }
    return false;
}

std::vector<MonthRow> WageWithholding(const Parameters& p, const PayrollYear& year) {
    std::vector<MonthRow> rows;
    if (!RunsToDecember(year) || !Available(p, year.basic, year.firstMonth)) return rows;
    rows.reserve(year.months.size());
    Wide income = 0, deductions = 0, relief = 0, withheldBefore = 0;
    int month = year.firstMonth;
    for (const MonthIncome& m : year.months) {
        income += m.gross;
        deductions += Wide{m.exempt} + m.special + m.additional + m.other + m.donation;
        relief += m.relief;
        const Wide basic = CumulativeBasic(p, year, month);
        const Wide taxable = income - basic - deductions;
        const detail::TableTax byTable = detail::ByTable(p.annual, Exact(taxable));
        const Wide tax = std::max<Wide>(0, byTable.tax - relief);
        // A month whose cumulative tax falls short of what was withheld withholds nothing,
        // and a later month makes up before it withholds again.
        const Wide withheld = std::max<Wide>(0, tax - withheldBefore);
        withheldBefore += withheld;
        rows.push_back({month, ClampToFen(income), ClampToFen(basic), ClampToFen(deductions),
                        ClampToFen(taxable), byTable.row ? byTable.row->ratePercent : 0,
                        byTable.row ? byTable.row->quickDeduction : 0, ClampToFen(tax),
                        ClampToFen(withheld), ClampToFen(Wide{m.gross} - m.special - withheld)});
        ++month;
    }
    return rows;
}

Fen BonusSeparateTax(const Parameters& p, Fen bonus) {
    const Exact amount(bonus);
    if (amount <= Exact()) return 0;
    // The row of bonus / 12, found without dividing: bonus <= 12 × bound.
    const Bracket& row = detail::RowFor(p.monthly, amount, p.bonusMonths);
    return ClampToFen(detail::RowTax(row, amount).RoundedFen());
}

// Both annual taxes are the tax figures a payroll clerk would write down, each rounded to the
// fen, so the difference is exactly what they show.
Fen BonusCombinedTax(const Parameters& p, Fen annualTaxable, Fen bonus) {
    if (bonus <= 0) return 0;
    const Exact without(annualTaxable);
    return ClampToFen(AnnualTax(p, without + Exact(bonus)) - AnnualTax(p, without));
}

Settlement AnnualSettlement(const Parameters& p, const SettlementInput& in,
                            BonusTreatment treatment) {
    const bool merged = treatment == BonusTreatment::Merged || !p.separateBonus;
    const Exact deductions = Exact(p.annualBasicDeduction) + Exact(in.special) +
                             Exact(in.additional) + Exact(in.other) + Exact(in.donation);
    const Exact taxable = SettlementIncome(p, in, merged) - deductions;
    const Wide tax = AnnualTax(p, taxable) + (merged ? 0 : BonusSeparateTax(p, in.bonus));
    const Wide balance = tax - in.withheld;
    return {ClampToFen(taxable.RoundedFen()), ClampToFen(tax), ClampToFen(balance),
            PaymentWaived(p, in, merged, balance)};
}

}  // namespace tax::current
