// Withholding on a single payment of labour remuneration, author's remuneration or royalties.

#include "tax/current.hpp"
#include "tax/current/tables.hpp"

namespace tax::current {
namespace {

using detail::ClampToFen;
using detail::Exact;

// Up to 4,000 yuan the payment less 800, above it 80 % of the payment.
Exact TaxablePart(Fen income) {
    if (income <= detail::kFixedExpensesUpTo) return Exact(income) - Exact(detail::kFixedExpenses);
    return Exact(income).Percent(detail::kRemunerationPercent);
}

// A taxable part of 0 or less owes nothing.
Fen FlatTax(Exact taxable, int percent) {
    if (taxable <= Exact()) return 0;
    return ClampToFen(taxable.Percent(percent).RoundedFen());
}

}  // namespace

Fen LabourWithholding(Fen income) {
    return ClampToFen(detail::ByTable(detail::kLabourTable, TaxablePart(income)).tax);
}

Fen AuthorWithholding(Fen income) {
    return FlatTax(TaxablePart(income).Percent(detail::kAuthorPercent), detail::kAuthorRoyaltyRate);
}

Fen RoyaltyWithholding(Fen income) {
    return FlatTax(TaxablePart(income), detail::kAuthorRoyaltyRate);
}

}  // namespace tax::current
