// Business income, interest and dividends, and incidental income.

#include "tax/current.hpp"
#include "tax/current/tables.hpp"

namespace tax::current {
namespace {

using detail::ClampToFen;
using detail::Exact;

Fen FlatRateTax(Fen income) {
    if (income <= 0) return 0;
    return ClampToFen(Exact(income).Percent(detail::kFlatRate).RoundedFen());
}

}  // namespace

Fen BusinessTax(Fen revenue, Fen costs, bool basicDeduction) {
    Exact taxable = Exact(revenue) - Exact(costs);
    if (basicDeduction) taxable = taxable - Exact(detail::kAnnualBasicDeduction);
    return ClampToFen(detail::ByTable(detail::kBusinessTable, taxable).tax);
}

Fen InterestDividendTax(Fen income) { return FlatRateTax(income); }

// The whole prize is taxed once it is above the exemption, not only the part above it.
IncidentalResult IncidentalTax(Fen income, bool lotteryPrize) {
    if (lotteryPrize && 0 <= income && income <= detail::kLotteryExemptUpTo) return {0, true};
    return {FlatRateTax(income), false};
}

}  // namespace tax::current
