#include "tax/interest_incidental.hpp"

#include "tax/arithmetic.hpp"

namespace tax {
namespace {

constexpr double kRate = 0.2;
constexpr double kExemptionLimit = 10000;

}  // namespace

float InterestDividendTax(double income) {
    if (!(income > 0)) return 0.0f;
    return checked::ToSingle(checked::Mul(income, kRate));
}

IncidentalIncome IncidentalIncomeTax(double income) {
    if (0 <= income && income <= kExemptionLimit) return {0.0f, true};
    const float tax = checked::ToSingle(checked::Mul(income, kRate));
    return {income < 0 ? 0.0f : tax, false};
}

}  // namespace tax
