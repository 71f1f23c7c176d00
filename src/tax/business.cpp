#include "tax/business.hpp"

#include "tax/arithmetic.hpp"
#include "tax/bracket.hpp"

#include <array>

namespace tax {
namespace {

using detail::Interval;
using detail::kOtherwise;
using detail::TaxBracket;

constexpr std::array<TaxBracket, 5> kOldRulesTable{{
    {{0, 5000}, 0.05, 0},
    {{5000, 10000}, 0.1, 250},
    {{10000, 30000}, 0.2, 1250},
    {{30000, 50000}, 0.3, 4250},
    {kOtherwise, 0.35, 6750},
}};

// The new rules state each row as the tax due at its lower bound plus the
// rate on the excess over that bound.
struct ExcessRow {
    Interval applies;
    double lower;
    double rate;
    double base;
};

constexpr std::array<ExcessRow, 5> kNewRulesTable{{
    {{0, 15000}, 0, 0.05, 0},
    {{15000, 30000}, 15000, 0.1, 750},
    {{30000, 60000}, 30000, 0.2, 2250},
    {{60000, 100000}, 60000, 0.3, 8250},
    {kOtherwise, 100000, 0.35, 20250},
}};

double NewRulesTax(double x) {
    using namespace checked;
    const ExcessRow& row = kNewRulesTable[detail::RowFor<ExcessRow>(kNewRulesTable, x)];
    if (row.lower == 0) return Mul(x, row.rate);  // the first row is a plain product
    return Add(row.base, Mul(Sub(x, row.lower), row.rate));
}

}  // namespace

float BusinessIncomeTax(double taxable, Edition edition) {
    const double figure = edition == Edition::OldRules
                              ? detail::BracketTableTax(kOldRulesTable, taxable)
                              : NewRulesTax(taxable);
    const float tax = checked::ToSingle(figure);
    return taxable <= 0 ? 0.0f : tax;
}

}  // namespace tax
