// Withholding on a single payment of labour remuneration, author's remuneration or royalties.

#include "tax/current.hpp"
#include "tax/current/tables.hpp"

namespace tax::current {
namespace {

using detail::ClampToFen;
using detail::Exact;

// Up to the bound the payment less the fixed expenses, above it a share of the payment.
Exact TaxablePart(const Parameters& p, Fen income) {
    if (income <= p.fixedExpensesUpTo) return Exact(income) - Exact(p.fixedExpenses);
    return Exact(income).Percent(p.remunerationPercent);
}

// A taxable part of 0 or less owes nothing.
Fen FlatTax(Exact taxable, int percent) {
    if (taxable <= Exact()) return 0;
    return ClampToFen(taxable.Percent(percent).RoundedFen());
}

}  // namespace

Fen LabourWithholding(const Parameters& p, Fen income) {
    return ClampToFen(detail::ByTable(p.labour, TaxablePart(p, income)).tax);
}

Fen AuthorWithholding(const Parameters& p, Fen income) {
    return FlatTax(TaxablePart(p, income).Percent(p.authorPercent), p.authorRoyaltyRate);
}

Fen RoyaltyWithholding(const Parameters& p, Fen income) {
    return FlatTax(TaxablePart(p, income), p.authorRoyaltyRate);
}

}  // namespace tax::current
