#include "tax/bracket.hpp"

#include "tax/arithmetic.hpp"

namespace tax::detail {

double BracketTableTax(std::span<const TaxBracket> table, double x) {
    const TaxBracket& row = table[RowFor(table, x)];
    return checked::Sub(checked::Mul(x, row.rate), row.quickDeduction);
}

}  // namespace tax::detail
