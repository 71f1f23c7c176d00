// Business income, interest and dividends, incidental income, and the special additional
// deductions a month's claims add up to.

#include "tax/current.hpp"
#include "tax/current/tables.hpp"

namespace tax::current {
namespace {

using detail::ClampToFen;
using detail::Exact;
using detail::Wide;

Fen FlatRateTax(const Parameters& p, Fen income) {
    if (income <= 0) return 0;
    return ClampToFen(Exact(income).Percent(p.flatRate).RoundedFen());
}

// A monthly standard for `count` children at the claimant's share.
Wide ChildrenStandard(Fen standard, int count, int sharePercent) {
    return Wide{standard} * count * sharePercent / 100;
}

Fen RentStandard(const Parameters& p, RentTier tier) {
    switch (tier) {
    case RentTier::None: return 0;
    case RentTier::Tier1: return p.rent[0];
    case RentTier::Tier2: return p.rent[1];
    case RentTier::Tier3: return p.rent[2];
    }
    return 0;
}

bool ClaimsGoTogether(const Parameters& p, const AdditionalClaims& c) {
    if (c.housingLoan && c.rent != RentTier::None) return false;
    if (c.childSharePercent != 100 && c.childSharePercent != 50) return false;
    if (c.childrenInEducation < 0 || c.childrenUnder3 < 0) return false;
    return c.onlyChild || (0 <= c.elderlyShare && c.elderlyShare <= p.elderlyShareCap);
}

}  // namespace

Fen BusinessTax(const Parameters& p, Fen revenue, Fen costs, BusinessDeduction deduction) {
    Exact taxable = Exact(revenue) - Exact(costs);
    if (deduction == BusinessDeduction::Basic) taxable = taxable - Exact(p.annualBasicDeduction);
    return ClampToFen(detail::ByTable(p.business, taxable).tax);
}

Fen InterestDividendTax(const Parameters& p, Fen income) { return FlatRateTax(p, income); }

// The whole prize is taxed once it is above the exemption, not only the part above it.
IncidentalResult IncidentalTax(const Parameters& p, Fen income, Prize prize) {
    if (prize == Prize::Lottery && 0 <= income && income <= p.lotteryExemptUpTo) return {0, true};
    return {FlatRateTax(p, income), false};
}

std::optional<Fen> MonthlyAdditionalDeduction(const Parameters& p, const AdditionalClaims& c) {
    if (!ClaimsGoTogether(p, c)) return std::nullopt;
    Wide total = ChildrenStandard(p.childEducation, c.childrenInEducation, c.childSharePercent) +
                 ChildrenStandard(p.infantCare, c.childrenUnder3, c.childSharePercent);
    if (c.degreeEducation) total += p.degreeEducation;
    if (c.housingLoan) total += p.housingLoan;
    total += RentStandard(p, c.rent);
    total += c.onlyChild ? p.elderlySupport : c.elderlyShare;
    return ClampToFen(total);
}

}  // namespace tax::current
