#include "tax/author_royalty.hpp"

#include "tax/arithmetic.hpp"

namespace tax {
namespace {

// Nothing up to 800; a fixed 800 off up to 4000; 20 % off above (and for
// every negative income, which the zero rule then clears).
double TaxableIncome(double income) {
    if (800 <= income && income <= 4000) return checked::Sub(income, 800);
    return checked::Mul(income, 0.8);
}

bool OwesNothing(double income) { return 0 <= income && income <= 800; }

}  // namespace

float AuthorRemunerationTax(double income) {
    if (OwesNothing(income)) return 0.0f;
    using namespace checked;
    const float tax = ToSingle(Mul(Mul(TaxableIncome(income), 0.2), 0.7));
    return income <= 0 ? 0.0f : tax;
}

float RoyaltyTax(double income) {
    if (OwesNothing(income)) return 0.0f;
    using namespace checked;
    const float tax = ToSingle(Mul(TaxableIncome(income), 0.2));
    return income <= 0 ? 0.0f : tax;
}

}  // namespace tax
