#pragma once
// Progressive tables. Rows are tried top to bottom; every row but the last is
// a closed interval, so a value on a shared bound takes the earlier row, and
// the last row takes everything else, negative amounts included.

#include <limits>
#include <span>

namespace tax::detail {

struct Interval {
    double lower;
    double upper;
    bool Holds(double x) const { return lower <= x && x <= upper; }
};

// Stands for the last row's interval, which is never consulted.
inline constexpr Interval kOtherwise{-std::numeric_limits<double>::infinity(),
                                     std::numeric_limits<double>::infinity()};

// The index of the row that takes `x`: the first interval holding it, or the
// last row (whose own interval is never consulted).
template <typename Row>
std::size_t RowFor(std::span<const Row> rows, double x) {
    for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
        if (rows[i].applies.Holds(x)) return i;
    }
    return rows.size() - 1;
}

// A row taxed as amount × rate − quick deduction, multiplication first.
struct TaxBracket {
    Interval applies;
    double rate;
    double quickDeduction;
};

double BracketTableTax(std::span<const TaxBracket> table, double x);

}  // namespace tax::detail
